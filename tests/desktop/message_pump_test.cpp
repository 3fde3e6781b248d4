// Messages reach the main window's dispatch from the program itself, from other threads and
// from SIGTERM, through the Qt event loop.
#include "desktop/message_pump.h"

#include <gtest/gtest.h>

#include <QTest>
#include <csignal>
#include <thread>
#include <vector>

#include "platform/os/cross_thread_poster.h"
#include "platform/os/session_end_signal.h"

namespace {

class RecordingForm : public ui::Form {
 public:
  RecordingForm() : ui::Form("F", "F", 10, 10) {}
  long WndProc(const ui::Message& m) override {
    received.push_back(m.msg);
    return 0;
  }
  std::vector<unsigned> received;
};

TEST(MessagePump, PostsFromOtherThreadsAndFromSigtermAreDispatchedOnTheEventLoop) {
  ui::MessageQueue queue;
  os::CrossThreadPoster poster(queue, {ui::MM_WOM_DONE, ui::WM_QUERYENDSESSION});
  RecordingForm form;
  poster.SetTarget(&form);
  desktop::MessagePump pump(queue, poster);

  std::thread device([&] {
    for (int i = 0; i < 3; ++i) poster.Post(ui::MM_WOM_DONE);
  });
  device.join();
  EXPECT_TRUE(form.received.empty()) << "nothing runs outside the event loop";
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.received.size() == 3; }, 5000));

  os::InstallSessionEndSignal(poster);
  std::raise(SIGTERM);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.received.size() == 4; }, 5000));
  os::RemoveSessionEndSignal();
  EXPECT_EQ(form.received.back(), ui::WM_QUERYENDSESSION);

  // The program's own posts, and one posted by a handler while dispatching.
  form.received.clear();
  queue.Post({&form, ui::WM_CLOSE, 0, 0});
  queue.Post({&form, ui::WM_SYSCOMMAND, 100, 0});
  EXPECT_TRUE(form.received.empty());
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.received.size() == 2; }, 5000));
  EXPECT_EQ(form.received, (std::vector<unsigned>{ui::WM_CLOSE, ui::WM_SYSCOMMAND}));
}

}  // namespace
