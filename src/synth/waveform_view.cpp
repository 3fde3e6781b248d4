#include "synth/waveform_view.h"

#include "editor/editor_form.h"

void DrawGeneratedView(AppState&, int, bool) {}

void EditorForm::Image2MouseMove(int, int) {}
