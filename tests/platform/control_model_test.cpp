// The toolkit rules the program relies on.
#include <gtest/gtest.h>

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/image.h"

namespace {

struct IndexCase {
  int start;
  int assigned;
  int expectedIndex;
  int expectedClicks;
};

TEST(RadioGroup, AssignmentRunsTheClickHandlerOnlyOnChangeAndClampsTheIndex) {
  const IndexCase cases[] = {
      {0, 1, 1, 1},                   // a new index runs the handler
      {1, 1, 1, 0},                   // the current index runs nothing
      {0, -5, -1, 1},                 // below -1 stays -1
      {-1, -1, -1, 0}, {0, 7, 2, 1},  // past the last item becomes the last
      {2, 9, 2, 0},                   // ... which may be the current one
  };
  for (const IndexCase& c : cases) {
    ui::Form form("F", "F", 100, 100);
    ui::RadioGroup group(&form, "G", {"a", "b", "c"}, 3, c.start);
    int clicks = 0;
    int seen = -2;
    group.OnClick = [&] {
      ++clicks;
      seen = group.ItemIndex();
    };
    group.SetItemIndex(c.assigned);
    EXPECT_EQ(group.ItemIndex(), c.expectedIndex) << c.start << " <- " << c.assigned;
    EXPECT_EQ(clicks, c.expectedClicks) << c.start << " <- " << c.assigned;
    if (clicks > 0) {
      EXPECT_EQ(seen, c.expectedIndex) << "the handler sees the new index";
    }
  }
}

TEST(Memo, TextsWithLineBreaksAddSeveralLines) {
  const struct {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"one", {"one"}}, {"a\r\nb", {"a", "b"}}, {"ends\r\n", {"ends", ""}},
      {"", {""}},       {"\r\n", {"", ""}},
  };
  for (const auto& c : cases) {
    ui::Memo memo(nullptr, "Memo1");
    memo.Add(c.text);
    EXPECT_EQ(memo.Lines(), c.lines) << c.text;
  }
}

TEST(TrackBar, OnChangeRunsWhenThePositionChanges) {
  ui::TrackBar bar(nullptr, "TrackBar1");
  std::vector<int> seen;
  bar.OnChange = [&] { seen.push_back(bar.Position()); };
  bar.SetPosition(3);  // clamped to Max 0: no change
  bar.SetMax(5);
  bar.SetPosition(3);
  bar.SetPosition(3);
  bar.SetMax(2);  // pulls the position back
  bar.SetPosition(9);
  EXPECT_EQ(seen, (std::vector<int>{3, 2}));
  EXPECT_EQ(bar.Position(), 2);
}

TEST(Form, ShowHideBringToFrontAndClose) {
  ui::Form form("F", "F", 100, 100);
  std::vector<std::string> events;
  form.OnVisibilityChanged = [&] { events.push_back(form.Visible() ? "shown" : "hidden"); };
  form.OnBroughtToFront = [&] { events.push_back("front"); };
  form.OnClose = [&] { events.push_back("close handler"); };
  form.OnClosed = [&] { events.push_back("program ends"); };
  form.Show();
  form.Show();
  form.BringToFront();
  form.Close();  // a window that does not end the program only hides
  EXPECT_FALSE(form.Closed());
  form.Show();
  form.EndsProgramWhenClosed = true;
  form.WndProc({&form, ui::WM_CLOSE, 0, 0});
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(events, (std::vector<std::string>{"shown", "front", "close handler", "hidden", "shown",
                                              "close handler", "hidden", "program ends"}));
}

TEST(Controls, DisabledControlsTakeNoClicksAndChangesReachTheObserver) {
  ui::Button button(nullptr, "B");
  ui::MenuItem item("I", "i");
  int clicks = 0, changes = 0;
  button.OnClick = [&] { ++clicks; };
  item.OnClick = [&] { ++clicks; };
  button.OnChanged = [&] { ++changes; };
  button.SetEnabled(false);
  button.Click();
  item.SetEnabled(false);
  item.Click();
  EXPECT_EQ(clicks, 0);
  button.SetEnabled(true);
  button.Click();
  item.SetEnabled(true);
  item.Click();
  EXPECT_EQ(clicks, 2);
  button.SetCaption("x");
  button.SetCaption("x");
  EXPECT_EQ(changes, 3);  // enable, disable-to-enable, caption once
}

TEST(Form, ListsExactlyTheControlsThatExist) {
  ui::Form form("F", "F", 100, 100);
  ui::Button kept(&form, "Kept");
  {
    ui::Button gone(&form, "Gone");
    ASSERT_EQ(form.Controls().size(), 2u);
  }
  ASSERT_EQ(form.Controls().size(), 1u);
  EXPECT_EQ(form.Controls()[0], &kept);
}

TEST(MessageQueue, DispatchesInOrderIncludingMessagesPostedMeanwhile) {
  struct Recorder : ui::Form {
    Recorder(ui::MessageQueue& q) : ui::Form("R", "R", 1, 1), queue(q) {}
    long WndProc(const ui::Message& m) override {
      seen.push_back(m.msg);
      if (m.msg == 1) queue.Post({this, 3, 0, 0});
      return 0;
    }
    ui::MessageQueue& queue;
    std::vector<unsigned> seen;
  };
  ui::MessageQueue queue;
  Recorder r(queue);
  queue.Post({&r, 1, 0, 0});
  queue.Post({&r, 2, 0, 0});
  queue.DispatchAll();
  EXPECT_EQ(r.seen, (std::vector<unsigned>{1, 2, 3}));
  EXPECT_TRUE(queue.Empty());
}

}  // namespace
