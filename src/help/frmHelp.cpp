#include "frmHelp.h"

#include "Twips.h"
#include "RtfTextDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTextBrowser>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

Q_LOGGING_CATEGORY(lcHelp, "quorvane.help")

namespace {

// The window's outer size never goes below this; the browser keeps 120 twips left, 120 right and
// 420 below within the outer size.
constexpr double MinimumWidth = 2700;
constexpr double MinimumHeight = 1700;

} // namespace

frmHelp::frmHelp(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(u"frmHelp"_s);
    setWindowTitle(u"Quorvane Help"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    rtbHelp = new QTextBrowser(this);
    rtbHelp->setObjectName(u"rtbHelp"_s);
    resize(TwipsToPixels(11055), TwipsToPixels(9270));
    Form_Load();
}

QSize frmHelp::MinimumOuterSize()
{
    // Rounded up: a pixel short would leave the window below the minimum.
    return {static_cast<int>(std::ceil(MinimumWidth / TwipsPerPixel)),
            static_cast<int>(std::ceil(MinimumHeight / TwipsPerPixel))};
}

QString frmHelp::HelpFilePath()
{
    return QCoreApplication::applicationDirPath() + QDir::separator() + u"quorvanehelpfile.rtf"_s;
}

void frmHelp::Form_Load()
{
    // A file that is there but cannot be read gets the same notice: either way the operator's remedy
    // is a fresh installation.
    if (!RtfTextDocument::Load(HelpFilePath(), rtbHelp->document())) {
        qCWarning(lcHelp, "The help file %ls cannot be read.", qUtf16Printable(HelpFilePath()));
        rtbHelp->setPlainText(u"Help file has been moved from its normal location.  Please reinstall the program."_s);
    }
    // The browser's cursor was carried along by the inserted text; the help starts at its top.
    rtbHelp->moveCursor(QTextCursor::Start);
}

void frmHelp::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    // The minimum and the margins are of the outer size, frame included; the frame itself is the
    // window manager's, so the client gives way by its extent.
    const QSize frame = frameGeometry().size() - size();
    const QSize outer = frameGeometry().size().expandedTo(MinimumOuterSize());
    if (outer != frameGeometry().size())
        resize(outer - frame);
    // The browser wraps at its own width, so its text needs no right margin of its own.
    SetTwipsRect(rtbHelp, QRectF(120, 0, PixelsToTwips(outer.width()) - 240, PixelsToTwips(outer.height()) - 420));
}
