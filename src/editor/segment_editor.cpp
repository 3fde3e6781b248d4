#include "editor/segment_editor.h"

#include "editor/editor_form.h"

SegmentEditor::SegmentEditor(AppState& app, EditorForm& form, std::int32_t& selectedSegment)
    : app_(app), form_(form), selected_(selectedSegment) {}
SegmentEditor::~SegmentEditor() = default;
void SegmentEditor::InitCanvas() {}
void SegmentEditor::ReleaseThumbnails() {}
void SegmentEditor::DrawBlankSegment() {}
void SegmentEditor::Image1Click(ui::Image&) {}
void SegmentEditor::Button1Click() {}
void SegmentEditor::FormMouseMove(int, int) {}
void SegmentEditor::Image1MouseDown(ui::MouseButton, int, int) {}
void SegmentEditor::Image1MouseMove(int, int) {}
void SegmentEditor::Image1MouseUp(ui::MouseButton, int, int) {}
void SegmentEditor::RadioGroup3Click() {}
void SegmentEditor::PopupMenu1Popup() {}
void SegmentEditor::Copy() {}
void SegmentEditor::Paste() {}
void SegmentEditor::Image3MouseDown(ui::MouseButton, int, int) {}
void SegmentEditor::Image3MouseMove(int, int) {}
void SegmentEditor::Image3MouseUp(ui::MouseButton, int, int) {}
void SegmentEditor::SetTimeLabels() {}
void SegmentEditor::CommitPaste() {}
