// The whole program on the control model (TestWorld) with the Qt windows of both forms built
// over it, as the desktop front-end builds them; the main window is shown.
#pragma once

#include <QTest>
#include <QWindow>
#include <string>
#include <vector>

#include "desktop/form_window.h"
#include "support/test_world.h"

struct DesktopWorld {
  DesktopWorld() {
    world.form1.Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window1));
  }

  template <typename W = QWidget>
  static W* Find(desktop::FormWindow& window, const std::string& name) {
    return window.findChild<W*>(QString::fromStdString(name), Qt::FindDirectChildrenOnly);
  }
  QWindow* Screen1() { return window1.windowHandle(); }

  TestWorld world;
  desktop::FormWindow window1{world.form1, world.queue};
  desktop::FormWindow window2{world.form2, world.queue};
};

// A log of what an image's handlers received, one line per event: "down L 100,100".
struct MouseLog {
  void Attach(ui::Image& image) {
    image.OnMouseDown = [this](ui::MouseButton b, int x, int y) { Add("down", b, x, y); };
    image.OnMouseMove = [this](int x, int y) {
      lines.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    };
    image.OnMouseUp = [this](ui::MouseButton b, int x, int y) { Add("up", b, x, y); };
    image.OnClick = [this](ui::Image& sender) { lines.push_back("click " + sender.Name()); };
  }
  void Add(const char* what, ui::MouseButton b, int x, int y) {
    const char* button = b == ui::MouseButton::Left ? "L" : b == ui::MouseButton::Right ? "R" : "M";
    lines.push_back(std::string(what) + " " + button + " " + std::to_string(x) + "," +
                    std::to_string(y));
  }
  std::vector<std::string> lines;
};
