#include "editor/editor_form.h"

EditorForm::EditorForm(AppState& appState, ui::MessageBoxService& boxService, std::string name,
                       std::string caption, int clientWidth, int clientHeight,
                       const EditorLayout& layout, std::int32_t& selectedSegment)
    : ui::Form(std::move(name), std::move(caption), clientWidth, clientHeight),
      app(appState),
      boxes(boxService),
      Image1(this, "Image1"),
      Label1(this, "Label1"),
      Label2(this, "Label2"),
      Image2(this, "Image2"),
      Shape1(this, "Shape1"),
      Image3(this, "Image3"),
      Button1(this, "Button1"),
      StatusBar1(this, "StatusBar1", layout.statusPanels),
      ScrollBox1(this, "ScrollBox1"),
      RadioGroup3(this, "RadioGroup3", {"Paint", "Erase", "Copy"}, 3, 0),
      RadioGroup4(this, "RadioGroup4", {"1", "2", "3", "4"}, 4, 0),
      CopyItem(layout.copyItemName, "コピー"),
      PasteItem(layout.pasteItemName, "貼り付け"),
      editor(appState, *this, selectedSegment) {
  Image1.SetBounds(0, 0, 510, 240);
  Label1.SetBounds(28, 240, 37, 12);
  Label1.SetCaption("0 msec");
  Label2.SetBounds(510, 240, 49, 12);
  Label2.SetCaption("100 msec");
  Image2.SetBounds(0, 304, 465, 100);
  Image2.NewPicture(465, 100);
  Shape1.SetBounds(520, 264, 25, 25);
  Shape1.Hide();
  Image3.SetBounds(layout.floatingLeft, layout.floatingTop, 25, 25);
  Image3.Hide();
  Button1.SetBounds(8, 264, 75, 25);
  Button1.SetCaption("消去");
  StatusBar1.SetBounds(0, layout.statusBarTop, 742, 19);
  ScrollBox1.SetBounds(528, 0, 201, 217);
  RadioGroup3.SetBounds(568, 224, layout.modeGroupWidth, 33);
  RadioGroup3.SetCaption("モード");
  RadioGroup4.SetBounds(568, 264, layout.modeGroupWidth, 33);
  RadioGroup4.SetCaption("ペンサイズ");
  PasteItem.SetEnabled(false);

  // The frame starts empty and hidden.
  Shape1.SetBounds(Shape1.Left(), Shape1.Top(), 0, 0);
  Shape1.Hide();

  OnMouseMove = [this](int x, int y) { FormMouseMove(x, y); };
  Image1.OnClick = [this](ui::Image& sender) { Image1Click(sender); };
  Image1.OnMouseDown = [this](ui::MouseButton b, int x, int y) { Image1MouseDown(b, x, y); };
  Image1.OnMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };
  Image1.OnMouseUp = [this](ui::MouseButton b, int x, int y) { Image1MouseUp(b, x, y); };
  Image2.OnMouseMove = [this](int x, int y) { Image2MouseMove(x, y); };
  Image3.OnMouseDown = [this](ui::MouseButton b, int x, int y) { Image3MouseDown(b, x, y); };
  Image3.OnMouseMove = [this](int x, int y) { Image3MouseMove(x, y); };
  Image3.OnMouseUp = [this](ui::MouseButton b, int x, int y) { Image3MouseUp(b, x, y); };
  Button1.OnClick = [this] { Button1Click(); };
  RadioGroup3.OnClick = [this] { RadioGroup3Click(); };
  PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
  CopyItem.OnClick = [this] { CopyClick(); };
  PasteItem.OnClick = [this] { PasteClick(); };
  ContextMenu = &PopupMenu1;
}

void RebuildPictures(EditorForm& main, EditorForm& right) {
  main.ScrollBox1.SetVertScrollPosition(0);
  right.ScrollBox1.SetVertScrollPosition(0);
  main.editor.ReleaseThumbnails();
  right.editor.ReleaseThumbnails();
  main.editor.InitCanvas();
  right.editor.InitCanvas();
}
