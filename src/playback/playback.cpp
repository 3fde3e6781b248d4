// Looping double-buffered playback of the block through the wave-out device.
#include "app/main_form.h"

void TForm1::Button3Click() {}
void TForm1::Button4Click() {}
void TForm1::OnWaveOutDone() {}
void TForm1::RefillPlaybackBuffer(int) {}
