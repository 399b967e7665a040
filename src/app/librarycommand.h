// Command 2069 "Библиотека": the library dialog over the templates root, then the chosen element
// opened (or created and stored at once), and the late deletion of an element whose document
// was open.
#pragma once

namespace dravo {

class CMainFrame;

void RunLibraryCommand(CMainFrame &frame);

} // namespace dravo
