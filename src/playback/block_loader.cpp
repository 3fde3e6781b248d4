// Choosing a second of the opened file and drawing it into both windows' pictures.
#include "app/main_form.h"

void TForm1::TrackBar1Change() {}
void TForm1::Button5Click() {}
void TForm1::RenderSegmentMono(int) {}
void TForm1::RenderSegmentStereo(int) {}
