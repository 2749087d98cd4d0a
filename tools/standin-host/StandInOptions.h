// Command-line options of the stand-in CAD host.
//
//   --ansi                      main window (and command line) are ANSI windows, not Unicode
//   --modern                    the main window of today's host: class AfxMDIFrame140u, title
//                               "Autodesk AutoCAD 2025 - [構造図.dwg]" (--title, --class still win)
//   --title=TEXT                main window title
//   --class=TEXT                main window class name
//   --command-line=WHERE        docked (default), floating, text-window or none
//   --frame-title=TEXT          title of the floating command-line frame
//   --text-window-title=TEXT    title of the text window
//   --headlands-title=TEXT      title of the command-line window (to play a wrong one)
//   --no-mounttam               no sibling window beside the command line
//   --select-delay=MS           until the "user" ends a selection (default 2000)
//   --export-delay=MS           until an export is written (default 500)
//   --drawing=PATH              the DXF file an export writes (default: an empty drawing)
//   --ask-export                ask "...書き出しますか?" before exporting
//   --keep-asking               ask again after every answer
//   --stuck                     never come back to the prompt after an export
//   --no-file                   export without writing a file
//   --empty-during-export       the command line reads empty while exporting
//   --hang                      never answer a command text: stay inside WM_COPYDATA for good
//   --log=PATH                  log what is received (UTF-8 lines)
//   --ready-event=NAME          set this named event once the windows exist
#pragma once

#include <string>
#include <vector>

#include "StandInCommandLine.h"

namespace kolvo::standin {

enum class CommandLinePlace { Docked, Floating, TextWindow, None };

struct Options {
    bool ansi = false;
    std::u16string title = u"AutoCAD スタンドイン - [Drawing1.dwg]";
    std::u16string className = u"Afx:00400000:8:00010003:00000000:00000000";
    CommandLinePlace commandLine = CommandLinePlace::Docked;
    std::u16string frameTitle = u"コマンド ライン";
    std::u16string textWindowTitle = u"AutoCAD テキスト ウィンドウ - Drawing1.dwg";
    std::u16string headlandsTitle = u"Headlands";
    bool mountTam = true;
    bool hang = false;
    Behaviour behaviour;
    std::u16string drawing;
    std::u16string log;
    std::u16string readyEvent;
};

// Reads `args` (without the program name) into `options`; false with `error` set on an unknown
// option or a bad value.
bool ParseOptions(const std::vector<std::u16string>& args, Options& options, std::string& error);

} // namespace kolvo::standin
