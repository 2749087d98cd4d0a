#include "StandInOptions.h"

#include <string_view>

namespace kolvo::standin {

namespace {

bool ReadMilliseconds(std::u16string_view text, int& value) {
    if (text.empty() || text.size() > 7) {
        return false;
    }
    int result = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        result = result * 10 + (c - u'0');
    }
    value = result;
    return true;
}

} // namespace

bool ParseOptions(const std::vector<std::u16string>& args, Options& options, std::string& error) {
    // The form comes first, so that a --title or --class anywhere on the line overrides it.
    for (const std::u16string& arg : args) {
        if (arg == u"--modern") {
            options.title = u"Autodesk AutoCAD 2025 - [構造図.dwg]";
            options.className = u"AfxMDIFrame140u";
        }
    }
    for (const std::u16string& arg : args) {
        const std::size_t equals = arg.find(u'=');
        const std::u16string_view name = std::u16string_view(arg).substr(0, equals);
        const bool hasValue = equals != std::u16string::npos;
        const std::u16string value = hasValue ? arg.substr(equals + 1) : std::u16string();
        Behaviour& behaviour = options.behaviour;

        bool ok = true;
        if (!hasValue) {
            if (name == u"--ansi") {
                options.ansi = true;
            } else if (name == u"--modern") {
                // taken above
            } else if (name == u"--hang") {
                options.hang = true;
            } else if (name == u"--no-mounttam") {
                options.mountTam = false;
            } else if (name == u"--ask-export") {
                behaviour.askBeforeExport = true;
            } else if (name == u"--keep-asking") {
                behaviour.keepAsking = true;
            } else if (name == u"--stuck") {
                behaviour.neverReturnToPrompt = true;
            } else if (name == u"--no-file") {
                behaviour.writeNoFile = true;
            } else if (name == u"--empty-during-export") {
                behaviour.emptyLineDuringExport = true;
            } else {
                ok = false;
            }
        } else if (name == u"--title") {
            options.title = value;
        } else if (name == u"--class") {
            ok = !value.empty();
            options.className = value;
        } else if (name == u"--command-line") {
            if (value == u"docked") {
                options.commandLine = CommandLinePlace::Docked;
            } else if (value == u"floating") {
                options.commandLine = CommandLinePlace::Floating;
            } else if (value == u"text-window") {
                options.commandLine = CommandLinePlace::TextWindow;
            } else if (value == u"none") {
                options.commandLine = CommandLinePlace::None;
            } else {
                ok = false;
            }
        } else if (name == u"--frame-title") {
            options.frameTitle = value;
        } else if (name == u"--text-window-title") {
            options.textWindowTitle = value;
        } else if (name == u"--headlands-title") {
            options.headlandsTitle = value;
        } else if (name == u"--select-delay") {
            ok = ReadMilliseconds(value, behaviour.selectionDelayMs);
        } else if (name == u"--export-delay") {
            ok = ReadMilliseconds(value, behaviour.exportDelayMs);
        } else if (name == u"--drawing") {
            options.drawing = value;
        } else if (name == u"--log") {
            options.log = value;
        } else if (name == u"--ready-event") {
            options.readyEvent = value;
        } else {
            ok = false;
        }
        if (!ok) {
            error = "bad option: " + ToUtf8(arg);
            return false;
        }
    }
    return true;
}

} // namespace kolvo::standin
