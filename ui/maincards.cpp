// The card, find and copy commands of the main frame: their message-map entries and handlers.
#include "ui/mainfrm.h"

void CMainFrame::RegisterCardCommands() {}
