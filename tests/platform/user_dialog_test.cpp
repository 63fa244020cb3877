// Dialogs from the program's templates, driven as a user would: notifications and their order,
// the dialog keys, modal loops, results, and what the controls show.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/user_fixture.h"

namespace {

struct Note {
    UINT message;
    int id;
    int code;
};

std::vector<Note> g_notes;
INT_PTR g_endWith = 0;     // what the procedure ends the dialog with on IDOK or IDCANCEL
bool g_endOnCommand = true;

// Records the dialog's messages; ends it on IDOK and IDCANCEL with notification 0.
INT_PTR CALLBACK RecordingDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        g_notes.push_back(Note{message, 0, 0});
        return TRUE;
    }
    if (message == WM_COMMAND) {
        g_notes.push_back(Note{message, LOWORD(wParam), HIWORD(wParam)});
        if (g_endOnCommand && HIWORD(wParam) == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(dialog, g_endWith + LOWORD(wParam));
            return TRUE;
        }
    }
    return FALSE;
}

std::vector<Note> CommandsOf(int id) {
    std::vector<Note> out;
    for (const Note& n : g_notes) {
        if (n.message == WM_COMMAND && n.id == id) out.push_back(n);
    }
    return out;
}

std::vector<int> CodesOf(int id) {
    std::vector<int> out;
    for (const Note& n : CommandsOf(id)) out.push_back(n.code);
    return out;
}

std::string TextOf(HWND control) {
    char buffer[256];
    GetWindowTextA(control, buffer, sizeof buffer);
    return buffer;
}

class UserDialog : public UserWindowTest {
protected:
    void SetUp() override {
        UserWindowTest::SetUp();
        g_notes.clear();
        g_endWith = 0;
        g_endOnCommand = true;
    }
};

// The layers dialog: clicking a radio button gives it the focus first (the procedure selects by
// that report), then the click; Escape ends the dialog; the result comes back.
struct LayersRun {
    std::vector<Note> notesAtHook;
    int checkedAfterClick = -1;
};

void ClickAllOfBuildingsThenEscape(HWND dialog, int templateId, void* context) {
    auto* run = static_cast<LayersRun*>(context);
    ASSERT_EQ(templateId, IDD_LAYERS);
    run->notesAtHook = g_notes;
    UserClick(GetDlgItem(dialog, 1160));
    run->checkedAfterClick = static_cast<int>(SendDlgItemMessageA(dialog, 1160, BM_GETCHECK, 0, 0));
    UserPressKey(dialog, VK_ESCAPE);
}

TEST_F(UserDialog, ModalDialogReportsInOrderAndReturnsItsResult) {
    MakeMainWindow(true);
    LayersRun run;
    SetDialogHook(ClickAllOfBuildingsThenEscape, &run);
    g_endWith = 40;
    const INT_PTR result = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_LAYERS), main_, RecordingDialog, 0);
    EXPECT_EQ(result, 40 + IDCANCEL);
    ASSERT_FALSE(run.notesAtHook.empty());
    EXPECT_EQ(run.notesAtHook.front().message, static_cast<UINT>(WM_INITDIALOG));
    const auto codes = CodesOf(1160);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[0], BN_SETFOCUS);
    EXPECT_EQ(codes[1], BN_CLICKED);
    EXPECT_EQ(run.checkedAfterClick, 0) << "a plain radio button waits for the program to check it";
    ASSERT_EQ(CommandsOf(IDCANCEL).size(), 1u);
    EXPECT_EQ(CommandsOf(IDCANCEL)[0].code, 0) << "Escape reports as a click";
    EXPECT_EQ(LiveWindowCount(), 1) << "the dialog and its controls are gone, the main window stays";
    EXPECT_TRUE(IsWindowEnabled(main_)) << "the owner takes input again";
}

void PumpWhileOpen(HWND dialog, int, void* context) {
    auto* ownerInput = static_cast<bool*>(context);
    HWND owner = GetParent(dialog);
    *ownerInput = IsWindowEnabled(owner) != FALSE;
    // The owner is repainted and gets its timer while the dialog runs.
    InvalidateRgn(owner, nullptr, TRUE);
    SetTimer(owner, 0, 20, nullptr);
    UserMouse(owner, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    PumpMessagesFor(150);
    UserCloseBox(dialog);
}

TEST_F(UserDialog, OwnerPaintsAndGetsItsTimerButNoInputDuringAModalDialog) {
    MakeMainWindow(true);
    Forget();
    bool ownerInput = true;
    SetDialogHook(PumpWhileOpen, &ownerInput);
    const INT_PTR result = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_ABOUT), main_, RecordingDialog, 0);
    EXPECT_EQ(result, IDCANCEL) << "the close box asks for IDCANCEL";
    EXPECT_FALSE(ownerInput);
    EXPECT_FALSE(Received(WM_PAINT).empty());
    EXPECT_FALSE(Received(WM_TIMER).empty());
    EXPECT_TRUE(Received(WM_LBUTTONDOWN).empty());
}

// The houses window of the street search belongs to the main window, not to the modal dialog,
// and stays usable while the dialog runs; the windows inside the main window do not.
struct BesideModal {
    HWND houses = nullptr;
    HWND palette = nullptr;
};

void UseWindowsBesideTheDialog(HWND dialog, int templateId, void* context) {
    auto* beside = static_cast<BesideModal*>(context);
    if (templateId != IDD_STREET_SEARCH) return;
    HWND owner = GetParent(dialog);
    beside->houses = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_SELECTED_HOUSES), owner, RecordingDialog, 0);
    ShowWindow(beside->houses, SW_SHOWNA);
    HWND list = GetDlgItem(beside->houses, 1019);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Lenina, 5"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Lenina, 7"));
    UserDoubleClickListLine(list, 1);
    UserClick(GetDlgItem(beside->palette, 1252));
    UserPressKey(dialog, VK_ESCAPE);
}

TEST_F(UserDialog, OwnedWindowsStayUsableDuringAModalDialogButChildWindowsDoNot) {
    MakeMainWindow(true);
    BesideModal beside;
    beside.palette = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PALETTE), main_, RecordingDialog, 0);
    ShowWindow(beside.palette, SW_SHOWNA);
    SetDialogHook(UseWindowsBesideTheDialog, &beside);
    EXPECT_EQ(DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_STREET_SEARCH), main_, RecordingDialog, 0),
              IDCANCEL);
    const auto codes = CodesOf(1019);
    EXPECT_NE(std::find(codes.begin(), codes.end(), static_cast<int>(LBN_DBLCLK)), codes.end());
    EXPECT_TRUE(CodesOf(1252).empty()) << "the palette inside the waiting main window took no click";
    EXPECT_TRUE(IsWindow(beside.houses)) << "the houses window lives on until its owner ends it";
}

void LeaveOpen(HWND, int, void*) {}

TEST_F(UserDialog, ADialogLeftOpenByItsTestEndsInsteadOfHanging) {
    SetDialogHook(LeaveOpen, nullptr);
    g_endOnCommand = false;
    EXPECT_EQ(DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_ABOUT), nullptr, RecordingDialog, 0), -1);
    EXPECT_EQ(DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(9999), nullptr, RecordingDialog, 0), -1)
        << "no such template";
}

// The street search dialog as a modeless one, so the test drives it step by step.
class StreetDialog : public UserDialog {
protected:
    void SetUp() override {
        UserDialog::SetUp();
        MakeMainWindow(true);
        dialog_ = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_STREET_SEARCH), main_, RecordingDialog, 0);
        ASSERT_NE(dialog_, nullptr);
        ShowWindow(dialog_, SW_SHOW);
        // The first field took the focus when the dialog opened; park it where nothing reports.
        SetFocus(Item(IDCANCEL));
        PumpPendingMessages();
        g_notes.clear();
    }
    HWND Item(int id) { return GetDlgItem(dialog_, id); }
    HWND dialog_ = nullptr;
};

TEST_F(StreetDialog, TypingReportsFocusThenEveryChange) {
    // Щука
    UserTypeText(Item(1048), "\xD9\xF3\xEA\xE0");
    const std::vector<int> expected{EN_SETFOCUS, EN_CHANGE, EN_CHANGE, EN_CHANGE, EN_CHANGE};
    EXPECT_EQ(CodesOf(1048), expected);
    EXPECT_EQ(TextOf(Item(1048)), "\xD9\xF3\xEA\xE0");
    EXPECT_EQ(WindowTextUtf8(Item(1048)), "Щука");
}

TEST_F(StreetDialog, TextSetByTheProgramIsAChangeEvenWhenTheSame) {
    SetWindowTextA(Item(1048), "");
    SetWindowTextA(Item(1048), "abc");
    SetWindowTextA(Item(1048), "abc");
    const std::vector<int> expected{EN_CHANGE, EN_CHANGE, EN_CHANGE};
    EXPECT_EQ(CodesOf(1048), expected);
    char small[3];
    EXPECT_EQ(GetWindowTextA(Item(1048), small, sizeof small), 2) << "cut to the buffer";
    EXPECT_STREQ(small, "ab");
}

TEST_F(StreetDialog, ListReportsUserSelectionsButNotTheProgramsOwn) {
    HWND list = Item(1049);
    for (const char* street : {"Abakanskaja", "Beregovaja", "Centralnaja", "Dachnaja"}) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(street));
    }
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), 1);
    EXPECT_TRUE(CodesOf(1049).empty()) << "LB_SETCURSEL reports nothing";
    UserClickListLine(list, 2);
    const std::vector<int> expected{LBN_SETFOCUS, LBN_SELCHANGE};
    EXPECT_EQ(CodesOf(1049), expected);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    g_notes.clear();
    UserDoubleClickListLine(list, 3);
    const auto codes = CodesOf(1049);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), LBN_DBLCLK);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR) << "-1 selects nothing";
    char text[32];
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text)), 11);
    EXPECT_STREQ(text, "Centralnaja");
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 4, reinterpret_cast<LPARAM>(text)), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(StreetDialog, EnterAsksForCommandOneUnlessAPushButtonHasTheFocus) {
    g_endOnCommand = false;
    UserTypeText(Item(1048), "a");
    UserPressKey(dialog_, VK_RETURN);
    ASSERT_EQ(CommandsOf(IDOK).size(), 1u) << "no default button: Enter arrives as command 1";
    EXPECT_EQ(CommandsOf(IDOK)[0].code, 0);
    g_notes.clear();
    SetFocus(Item(1058));
    UserPressKey(dialog_, VK_RETURN);
    EXPECT_EQ(CommandsOf(1058).size(), 1u) << "the focused push button is clicked";
    EXPECT_TRUE(CommandsOf(IDOK).empty());
}

TEST_F(StreetDialog, AutoCheckBoxTogglesAndReportsItsFocus) {
    HWND box = Item(1018);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    UserClick(box);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    const std::vector<int> expected{BN_SETFOCUS, BN_CLICKED};
    EXPECT_EQ(CodesOf(1018), expected);
    UserClick(box);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 1018), BST_UNCHECKED);
    CheckDlgButton(dialog_, 1018, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog_, 1018), BST_CHECKED);
}

TEST_F(StreetDialog, DisabledControlsTakeNoInputAndDestroyedOnesAreRefused) {
    EnableWindow(Item(1050), FALSE);
    EXPECT_FALSE(IsWindowEnabled(Item(1050)));
    UserTypeText(Item(1050), "12");
    EXPECT_EQ(TextOf(Item(1050)), "");
    EXPECT_EQ(SetFocus(Item(1050)), nullptr);
    HWND edit = Item(1048);
    EXPECT_TRUE(DestroyWindow(dialog_));
    EXPECT_EQ(GetDlgItem(dialog_, 1048), nullptr);
    EXPECT_EQ(SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")), 0);
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(UserDialog, SortedExtendedListKeepsDataWithItsLine) {
    MakeMainWindow(true);
    HWND dialog = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_OBJECT_SEARCH), main_, RecordingDialog, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOWNA);
    HWND list = GetDlgItem(dialog, 1173);
    // Жук, Ежи, Ёлка, apteka, Bank: case does not count, Ё comes right after Е.
    const char* names[] = {"\xC6\xF3\xEA", "\xC5\xE6\xE8", "\xA8\xEB\xEA\xE0", "apteka", "Bank"};
    for (int i = 0; i < 5; ++i) {
        const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i]));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), 100 + i);
    }
    const int expectedData[] = {103, 104, 101, 102, 100};  // apteka, Bank, Ежи, Ёлка, Жук
    for (int line = 0; line < 5; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(line), 0), expectedData[line]);
    }
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), LB_ERR) << "not for a list of many selections";
    UserClickListLine(list, 0);
    UserClickListLine(list, 3, true);
    UserClickListLine(list, 4, true);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 3);
    int lines[8] = {};
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 2, reinterpret_cast<LPARAM>(lines)), 2) << "no more than room";
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(lines)), 3);
    EXPECT_EQ(lines[0], 0);
    EXPECT_EQ(lines[1], 3);
    EXPECT_EQ(lines[2], 4);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 4) << "the line last clicked";
    const auto codes = CodesOf(1173);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<int>(LBN_SELCHANGE)), 3);
}

TEST_F(UserDialog, ComboBoxesOfEachKind) {
    MakeMainWindow(true);
    HWND dialog = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_OBJECT_SEARCH), main_, RecordingDialog, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOWNA);
    HWND mode = GetDlgItem(dialog, 1135);    // drop-down list
    HWND street = GetDlgItem(dialog, 1136);  // drop-down with an edit
    // начинается с, содержит
    SendMessageA(mode, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("\xED\xE0\xF7\xE8\xED\xE0\xE5\xF2\xF1\xFF \xF1"));
    SendMessageA(mode, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("\xF1\xEE\xE4\xE5\xF0\xE6\xE8\xF2"));
    EXPECT_EQ(SendMessageA(mode, CB_GETCURSEL, 0, 0), CB_ERR) << "nothing chosen until someone chooses";
    EXPECT_EQ(SendMessageA(mode, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(WindowTextUtf8(mode), "содержит");
    EXPECT_TRUE(CodesOf(1135).empty());
    UserChooseComboLine(mode, 0);
    EXPECT_EQ(SendMessageA(mode, CB_GETCURSEL, 0, 0), 0);
    const auto modeCodes = CodesOf(1135);
    ASSERT_FALSE(modeCodes.empty());
    EXPECT_EQ(modeCodes.back(), CBN_SELCHANGE);

    for (const char* name : {"Lenina", "Morskaja", "Sadovaja"}) {
        SendMessageA(street, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendMessageA(street, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(TextOf(street), "Sadovaja");
    // The program may show any text; the choice stays.
    SetWindowTextA(street, "Morskaja");
    EXPECT_EQ(TextOf(street), "Morskaja");
    EXPECT_EQ(SendMessageA(street, CB_GETCURSEL, 0, 0), 2);
    // Typing chooses the first line that begins with what was typed.
    UserClearText(street);
    UserTypeText(street, "le");
    EXPECT_EQ(SendMessageA(street, CB_GETCURSEL, 0, 0), 0);
    UserTypeText(street, "x");
    EXPECT_EQ(SendMessageA(street, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(street, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(TextOf(street), "") << "no choice, no text";
    char text[16];
    EXPECT_EQ(SendMessageA(street, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text)), 8);
    EXPECT_STREQ(text, "Morskaja");
}

INT_PTR CALLBACK PartsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        HWND combo = GetDlgItem(dialog, 1014);
        for (const char* part : {"Centre", "Port", "Sopki"}) {
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(part));
        }
        SetFocus(combo);
        return FALSE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == 1014 && HIWORD(wParam) == CBN_DBLCLK) {
        EndDialog(dialog, 100 + SendMessageA(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0));
        return TRUE;
    }
    return RecordingDialog(dialog, message, wParam, lParam);
}

void TypeThenDoubleClick(HWND dialog, int, void*) {
    HWND combo = GetDlgItem(dialog, 1014);
    UserTypeText(combo, "po");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1) << "typing picks the line it begins";
    UserChooseComboLine(combo, 2);
    EXPECT_EQ(TextOf(combo), "Sopki");
    HWND list = GetDlgItem(dialog, 1014);
    UserDoubleClickListLine(list, 0);
}

TEST_F(UserDialog, SimpleComboBoxOfPartsOfTheCity) {
    MakeMainWindow(true);
    SetDialogHook(TypeThenDoubleClick, nullptr);
    EXPECT_EQ(DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PARTS_OF_CITY), main_, PartsDialog, 0), 100);
    const auto codes = CodesOf(1014);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), CBN_SETFOCUS);
    EXPECT_NE(std::find(codes.begin(), codes.end(), static_cast<int>(CBN_SELCHANGE)), codes.end());
}

TEST_F(UserDialog, TextsShowInCyrillic) {
    MakeMainWindow(true);
    HWND loading = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_LOADING), main_, nullptr, 0);
    ASSERT_NE(loading, nullptr);
    ShowWindow(loading, SW_SHOW);
    EXPECT_EQ(WindowTextUtf8(GetDlgItem(loading, 1059)), "Загрузка: Гидрография");
    SendMessageA(GetDlgItem(loading, 1059), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Loading:  Topography"));
    EXPECT_EQ(WindowTextUtf8(GetDlgItem(loading, 1059)), "Loading:  Topography");
    HWND search = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_OBJECT_SEARCH), main_, nullptr, 0);
    EXPECT_EQ(WindowTextUtf8(search), "Поиск объектов с адресной привязкой");
    // " 12.5 м" as the measurement shows it
    HWND measure = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_MEASUREMENTS), main_, nullptr, 0);
    SetDlgItemTextA(measure, 1160, " 12.5 \xEC");
    EXPECT_EQ(WindowTextUtf8(GetDlgItem(measure, 1160)), " 12.5 м");
    EXPECT_EQ(WindowTextUtf8(main_), "Korvinsk. Address plan");
}

TEST_F(UserDialog, ChildDialogLivesInsideItsParentAndGoesWithIt) {
    MakeMainWindow(true);
    HWND coords = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_COORDINATES), main_, RecordingDialog, 0);
    ASSERT_NE(coords, nullptr);
    EXPECT_FALSE(IsWindowVisible(coords)) << "shown only when asked";
    ShowWindow(coords, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(coords));
    EXPECT_EQ(GetParent(coords), main_);
    RECT client;
    GetClientRect(coords, &client);
    RECT expected{0, 0, 153, 15};
    MapDialogRect(coords, &expected);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    // Escape in a field and the close box both ask for a command with notification 0.
    UserTypeText(GetDlgItem(coords, 1158), "1");
    UserPressKey(coords, VK_ESCAPE);
    UserCloseBox(coords);
    PumpPendingMessages();
    ASSERT_EQ(CommandsOf(IDCANCEL).size(), 2u);
    EXPECT_EQ(CommandsOf(IDCANCEL)[1].code, 0);
    // The focus can be taken from the fields by naming an item the dialog lacks.
    SetFocus(GetDlgItem(coords, 1158));
    SetFocus(GetDlgItem(coords, 2));
    EXPECT_NE(GetFocus(), GetDlgItem(coords, 1158));
    DestroyWindow(main_);
    EXPECT_FALSE(IsWindow(coords));
}

struct DestroyOrder {
    std::vector<HWND> order;
};
DestroyOrder* g_destroyOrder = nullptr;

INT_PTR CALLBACK NoteDestroy(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_DESTROY && g_destroyOrder != nullptr) g_destroyOrder->order.push_back(dialog);
    return FALSE;
}

TEST_F(UserDialog, DestroyingTheMainWindowEndsItsDialogsAndContextsOnce) {
    MakeMainWindow(true);
    const int dcs = GdiLiveDCCount();
    DestroyOrder record;
    g_destroyOrder = &record;
    HWND measure = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_MEASUREMENTS), main_, NoteDestroy, 0);
    HWND palette = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PALETTE), main_, NoteDestroy, 0);
    HDC dc = GetDC(main_);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GdiLiveDCCount(), dcs + 1);
    Forget();
    EXPECT_TRUE(DestroyWindow(main_));
    g_destroyOrder = nullptr;
    ASSERT_EQ(record.order.size(), 2u);
    EXPECT_EQ(record.order[0], measure) << "owned windows first";
    EXPECT_EQ(record.order[1], palette);
    EXPECT_EQ(Received(WM_DESTROY).size(), 1u);
    EXPECT_EQ(GdiLiveDCCount(), dcs) << "the window's context went with it";
    EXPECT_EQ(ReleaseDC(main_, dc), 0) << "and is not released twice";
    EXPECT_EQ(LiveWindowCount(), 0);
}

TEST_F(UserDialog, PaletteButtonsShowPicturesAndTheChosenTool) {
    MakeMainWindow(true);
    HWND palette = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PALETTE), main_, RecordingDialog, 0);
    ASSERT_NE(palette, nullptr);
    const int gdi = GdiLiveObjectCount();
    HBITMAP pan = static_cast<HBITMAP>(LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(IDB_PAN), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(pan, nullptr);
    EXPECT_EQ(GdiLiveObjectCount(), gdi + 1) << "a loaded bitmap is the caller's to delete";
    EXPECT_EQ(SendDlgItemMessageA(palette, 1252, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pan)), 0);
    EXPECT_EQ(SendDlgItemMessageA(palette, 1252, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(pan));
    HICON icon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(IDI_PROGRAM));
    EXPECT_EQ(icon, LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(IDI_PROGRAM))) << "shared";
    SendDlgItemMessageA(palette, 1251, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    // The tools stay pressed while chosen; a click alone does not press them.
    UserClick(GetDlgItem(palette, 1252));
    EXPECT_EQ(IsDlgButtonChecked(palette, 1252), BST_UNCHECKED);
    const std::vector<int> expected{BN_SETFOCUS, BN_CLICKED};
    EXPECT_EQ(CodesOf(1252), expected);
    CheckDlgButton(palette, 1252, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(palette, 1252), BST_CHECKED);
    EXPECT_TRUE(DeleteObject(pan));
    EXPECT_EQ(GdiLiveObjectCount(), gdi);
}

}  // namespace
