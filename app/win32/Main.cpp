// Program entry: the application object with its title, the main dialog, the message loop.
#include "Application.h"
#include "EsComponentStrings.h"
#include "KolvoZokuseiU.h"
#include "TextCodec.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The components' string tables and the attached label class, for the program's lifetime.
    const kolvo::EsComponentsSession components;

    kolvo::Application& application = kolvo::App();
    application.Initialize(instance);
    application.SetTitle(kolvo::ApplicationTitle);
    if (GetACP() != kolvo::JapaneseCodePage) {
        // Said in UTF-16, which shows on any system; the dialog opens all the same.
        const std::u16string text = kolvo::Cp932ToUtf16(kolvo::CodePageMessage);
        const std::u16string title = kolvo::Cp932ToUtf16(kolvo::ApplicationTitle);
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.c_str()),
                    reinterpret_cast<const wchar_t*>(title.c_str()), MB_OK | MB_ICONWARNING);
    }
    kolvo::TKolvoZokuSeiF form(instance, application.Handle(), kolvo::SystemDialogServices(), true);
    if (!form.Created()) {
        return 1;
    }
    form.Show();
    return application.Run(form.Handle());
}
