// The message box vocabulary: the open count that keeps timer code quiet, and on Windows the
// MessageBoxW flags and answers of the window's view.
#include <gtest/gtest.h>

#include "common/recording_message_box_view.h"
#include "dialog/message_box.h"

#ifdef _WIN32
#include "win32ui/message_box_view.h"
#endif

namespace {

TEST(MessageBoxesTest, AreOpenWhileShownAlsoWhenABoxOpensAnotherFromItsLoop) {
    testutil::CRecordingMessageBoxView view;
    CMessageBoxes boxes(view);
    EXPECT_FALSE(boxes.IsOpen());

    std::vector<bool> arrOpenInside;
    view.m_fnWhileOpen = [&](const CMessageBox& box) {
        arrOpenInside.push_back(boxes.IsOpen());
        // The first box's loop runs code that shows a second one.
        if (box.m_strText == "outer")
            boxes.Show("inner", "c", EMessageIcon::kNone, EMessageButtons::kOk);
        arrOpenInside.push_back(boxes.IsOpen());
    };
    EXPECT_EQ(boxes.Show("outer", "c", EMessageIcon::kWarning, EMessageButtons::kOk),
              EMessageResult::kOk);
    EXPECT_EQ(arrOpenInside, (std::vector<bool>{true, true, true, true}));
    EXPECT_FALSE(boxes.IsOpen());
    ASSERT_EQ(view.m_arrShown.size(), 2u);
    EXPECT_EQ(view.m_arrShown[1].m_strText, "inner");
}

TEST(MessageBoxesTest, AskYesNoIsTrueOnlyForYesAndPassesItsIcon) {
    testutil::CRecordingMessageBoxView view;
    CMessageBoxes boxes(view);
    view.m_queAnswers = {EMessageResult::kYes, EMessageResult::kNo};
    EXPECT_TRUE(boxes.AskYesNo("q1", "cap", EMessageIcon::kWarning));
    EXPECT_FALSE(boxes.AskYesNo("q2", "cap", EMessageIcon::kNone));
    ASSERT_EQ(view.m_arrShown.size(), 2u);
    EXPECT_EQ(view.m_arrShown[0].m_eButtons, EMessageButtons::kYesNo);
    EXPECT_EQ(view.m_arrShown[0].m_eIcon, EMessageIcon::kWarning);
    EXPECT_EQ(view.m_arrShown[1].m_eIcon, EMessageIcon::kNone);
    EXPECT_EQ(view.m_arrShown[0].m_eModality, EMessageModality::kWindow);
}

#ifdef _WIN32
TEST(WindowMessageBoxViewTest, MapsIconsButtonsAndModalityToMessageBoxFlags) {
    EXPECT_EQ(win32ui::MessageBoxIconFlag(EMessageIcon::kNone), 0u);
    EXPECT_EQ(win32ui::MessageBoxIconFlag(EMessageIcon::kInformation), UINT{MB_ICONINFORMATION});
    EXPECT_EQ(win32ui::MessageBoxIconFlag(EMessageIcon::kWarning), UINT{MB_ICONWARNING});
    EXPECT_EQ(win32ui::MessageBoxIconFlag(EMessageIcon::kError), UINT{MB_ICONERROR});
    EXPECT_EQ(win32ui::MessageBoxIconFlag(EMessageIcon::kQuestion), UINT{MB_ICONQUESTION});
    const EMessageModality kWindow = EMessageModality::kWindow;
    EXPECT_EQ(win32ui::MessageBoxButtonFlags(EMessageButtons::kOk, kWindow), UINT{MB_OK});
    EXPECT_EQ(win32ui::MessageBoxButtonFlags(EMessageButtons::kOkCancel, kWindow),
              UINT{MB_OKCANCEL});
    EXPECT_EQ(win32ui::MessageBoxButtonFlags(EMessageButtons::kYesNo, kWindow), UINT{MB_YESNO});
    EXPECT_EQ(win32ui::MessageBoxButtonFlags(EMessageButtons::kOkCancel, EMessageModality::kSystem),
              UINT{MB_OKCANCEL | MB_SYSTEMMODAL});
}

TEST(WindowMessageBoxViewTest, ABoxThatCouldNotBeShownCountsAsClosed) {
    using win32ui::MessageBoxAnswer;
    EXPECT_EQ(MessageBoxAnswer(IDOK, EMessageButtons::kOk), EMessageResult::kOk);
    EXPECT_EQ(MessageBoxAnswer(IDCANCEL, EMessageButtons::kOkCancel), EMessageResult::kCancel);
    EXPECT_EQ(MessageBoxAnswer(IDYES, EMessageButtons::kYesNo), EMessageResult::kYes);
    EXPECT_EQ(MessageBoxAnswer(IDNO, EMessageButtons::kYesNo), EMessageResult::kNo);
    EXPECT_EQ(MessageBoxAnswer(0, EMessageButtons::kYesNo), EMessageResult::kNo);
    EXPECT_EQ(MessageBoxAnswer(0, EMessageButtons::kOkCancel), EMessageResult::kCancel);
    EXPECT_EQ(MessageBoxAnswer(0, EMessageButtons::kOk), EMessageResult::kCancel);
}
#endif

}  // namespace
