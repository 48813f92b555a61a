#include "options/KeyHandover.h"
#include "options/frmChooseKey.h"
#include "support/TestRegistry.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_ChooseKey : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keyRule_data();
    void keyRule();
    void closesWithoutKey_data();
    void closesWithoutKey();

private:
    // The buzzer's key being chosen over the factory keys s, r, c and b.
    std::unique_ptr<frmChooseKey> m_dialog;
};

void tst_ChooseKey::init()
{
    KeyActionText = u"sound the buzzer"_s;
    CurrentKey = 'b';
    m_dialog = std::make_unique<frmChooseKey>(QList<qint16> {'s', 'r', 'c', 'b'});
    m_dialog->show();
}

void tst_ChooseKey::keyRule_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("chosen"); // "0": refused, the dialog stays open

    QTest::newRow("own saved key, though shown") << Qt::Key_B << u"b"_s << u"98"_s;
    QTest::newRow("another action's key") << Qt::Key_S << u"s"_s << u"0"_s;
    QTest::newRow("o opens the options") << Qt::Key_O << u"o"_s << u"0"_s;
    QTest::newRow("capital O is free") << Qt::Key_O << u"O"_s << u"79"_s;
    QTest::newRow("h is free") << Qt::Key_H << u"h"_s << u"104"_s;
    QTest::newRow("plus") << Qt::Key_Plus << u"+"_s << u"0"_s;
    QTest::newRow("minus") << Qt::Key_Minus << u"-"_s << u"0"_s;
    QTest::newRow("full stop") << Qt::Key_Period << u"."_s << u"0"_s;
    QTest::newRow("equals") << Qt::Key_Equal << u"="_s << u"0"_s;
    QTest::newRow("space, which would click Cancel") << Qt::Key_Space << u" "_s << u"0"_s;
    QTest::newRow("typed carriage return") << Qt::Key_M << u"\r"_s << u"0"_s;
    QTest::newRow("Backspace") << Qt::Key_Backspace << u"\b"_s << u"8"_s;
}

void tst_ChooseKey::keyRule()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, text);
    QFETCH(QString, chosen);
    QCOMPARE(m_dialog->lblChoose->text(), u"Press the key you would like to sound the buzzer."_s);

    // WHEN the key is pressed on Cancel, the one control with the focus
    QTest::sendKeyEvent(QTest::Click, m_dialog->cmdCancel, key, text, Qt::NoModifier);

    const bool refused = chosen == u"0"_s;
    QCOMPARE(ChosenKey, chosen);
    QCOMPARE(m_dialog->isVisible(), refused);
    QCOMPARE(m_dialog->lblUsed->isVisible(), refused);
}

void tst_ChooseKey::closesWithoutKey_data()
{
    QTest::addColumn<Qt::Key>("key"); // Key_unknown: a click on Cancel
    QTest::newRow("Cancel") << Qt::Key_unknown;
    QTest::newRow("Esc") << Qt::Key_Escape;
    QTest::newRow("Enter") << Qt::Key_Return;
}

void tst_ChooseKey::closesWithoutKey()
{
    QFETCH(Qt::Key, key);
    // GIVEN a key refused first
    QTest::keyClick(m_dialog->cmdCancel, 'c');
    if (key == Qt::Key_unknown)
        m_dialog->cmdCancel->click();
    else
        QTest::keyClick(m_dialog->cmdCancel, key);
    QCOMPARE(m_dialog->result(), QDialog::Rejected);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(ChosenKey, u"0"_s);
}

QUORVANE_TEST(tst_ChooseKey)
#include "tst_choosekey.moc"
