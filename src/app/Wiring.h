#pragma once

class frmSplash;

// Connects the splash, and the board it opens, to the help window and the options dialog: the windows
// never know each other, only their requests.
void WireSplash(frmSplash *splash);

// Brings the program's window to the front, restored if it was minimised: the open modal dialog, else the
// board, else the splash.
void RaiseRunningCopy();
