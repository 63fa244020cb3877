// A main window of the program's class whose procedure records every message, for the tests of
// the window layer. Each test ends with every window, menu and timer gone.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/user.h"
#include "platform/user_testing.h"
#include "resources/resources.h"

struct RecordedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class UserWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the main window as the program does (class "MY3", title string 103, menu 109), not
    // shown unless asked, and dispatches what its creation queued.
    HWND MakeMainWindow(bool show = false, UINT classStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);

    // Messages the main window's procedure received, of one kind or of all.
    static std::vector<RecordedMessage> Received(UINT message);
    static std::vector<RecordedMessage>& All();
    static void Forget() { All().clear(); }

    // Runs the program's loop shape (accelerators, translation, dispatch) over what is pending.
    int RunLoopOnce(HACCEL accelerators = nullptr);

    HWND main_ = nullptr;
};
