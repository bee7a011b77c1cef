// The sheet's window creation: system menu, first page, font, buttons and
// the layout, computed once.
#include "QFXWizardSheet.h"

#include "QFXWizardPage.h"
#include "QFXWizardSheetInternal.h"
#include "WizardControls.h"
#include "WizardResource.h"

namespace {
const int buttonTextLimit = 256;

// Dialog units of the layout, converted with the current page's font.
const int buttonWidthUnits = 50;
const int buttonHeightUnits = 14;
const int gapUnits = 4;
const int marginXUnits = 4;
const int marginYUnits = 4;

struct ButtonDefinition {
    UINT id;
    UINT textId;
};
const ButtonDefinition buttonDefinitions[WizardButtonCount] = {
    {QFXWizardSheet::IdBack, IDS_WIZARD_BACK},     {QFXWizardSheet::IdNext, IDS_WIZARD_NEXT},
    {QFXWizardSheet::IdFinish, IDS_WIZARD_FINISH}, {QFXWizardSheet::IdCancel, IDS_WIZARD_CANCEL},
    {QFXWizardSheet::IdHelp, IDS_WIZARD_HELP},
};
}

LRESULT QFXWizardSheet::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1) return -1;

    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
        UINT id = ::GetMenuItemID(menu, i);
        if (id != SC_MOVE && id != SC_CLOSE) ::DeleteMenu(menu, i, MF_BYPOSITION);
    }

    // Without a page window there is nothing to lay out or to show.
    QFXWizardPage* page = CurrentPage();
    if (!page || (!page->m_hWnd && !page->CreatePageWindow())) return -1;

    LOGFONTA description;
    HFONT pageFont = reinterpret_cast<HFONT>(::SendMessageA(page->m_hWnd, WM_GETFONT, 0, 0));
    if (pageFont && ::GetObjectA(pageFont, sizeof description, &description)) {
        if (font_) ::DeleteObject(font_);
        font_ = ::CreateFontIndirectA(&description);
    }

    SetActivePage(currentPage_);

    RECT units = {0, 0, buttonWidthUnits, buttonHeightUnits};
    ::MapDialogRect(page->m_hWnd, &units);
    buttonWidth_ = units.right;
    buttonHeight_ = units.bottom;
    RECT margins = {gapUnits, marginYUnits, marginXUnits, 0};
    ::MapDialogRect(page->m_hWnd, &margins);
    gap_ = margins.left;
    marginY_ = margins.top;
    marginX_ = margins.right;

    if (!CreateButtons()) return -1;
    ::EnableWindow(GetButton(IdHelp), WizardControls::AppHasHelpFile());
    LayOut();
    SetWizardButtons(buttonFlags_);
    return 0;
}

BOOL QFXWizardSheet::CreateButtons()
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    for (int i = 0; i < WizardButtonCount; ++i) {
        char text[buttonTextLimit] = "";
        ::LoadStringA(instance, buttonDefinitions[i].textId, text, sizeof text);
        WizardButtonText parsed = ParseWizardButtonText(text);
        buttonWidthUnits_[i] = parsed.widthUnits;
        HWND button = ::CreateWindowExA(0, "BUTTON", parsed.label,
                                        WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                                        m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(buttonDefinitions[i].id)),
                                        instance, nullptr);
        if (!button) return FALSE;
        ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    return TRUE;
}

void QFXWizardSheet::LayOut()
{
    QFXWizardPage* page = CurrentPage();
    RECT pageRect;
    ::GetWindowRect(page->m_hWnd, &pageRect);

    WizardLayoutInput in = {};
    in.pageWidth = pageRect.right - pageRect.left;
    in.pageHeight = pageRect.bottom - pageRect.top;
    in.buttonHeight = buttonHeight_;
    in.gap = gap_;
    in.marginX = marginX_;
    in.marginY = marginY_;
    for (int i = 0; i < WizardButtonCount; ++i) {
        in.buttonWidth[i] = buttonWidth_;
        if (buttonWidthUnits_[i] >= 0) {
            RECT width = {0, 0, buttonWidthUnits_[i], 0};
            ::MapDialogRect(page->m_hWnd, &width);
            in.buttonWidth[i] = width.right;
        }
        bool exists = GetButton(buttonDefinitions[i].id) != nullptr;
        bool counts = true;
        if (i == WizardFinish) counts = finishMode_;
        if (i == WizardCancel) counts = !finishMode_;
        if (i == WizardHelp) counts = WizardControls::AppHasHelpFile();
        in.counted[i] = exists && counts;
    }
    WizardLayoutResult out = ComputeWizardLayout(in);

    RECT frame = {0, 0, out.clientWidth, out.clientHeight};
    ::AdjustWindowRectEx(&frame, WizardSheetStyle, FALSE, WizardSheetExStyle);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();

    ::SetWindowPos(page->m_hWnd, nullptr, out.page.left, out.page.top, out.page.right - out.page.left,
                   out.page.bottom - out.page.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < WizardButtonCount; ++i) {
        HWND button = GetButton(buttonDefinitions[i].id);
        if (!button) continue;
        const RECT& r = out.button[i];
        ::SetWindowPos(button, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
