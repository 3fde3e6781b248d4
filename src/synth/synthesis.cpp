#include "synth/synthesis.h"

void SynthesizeMono(AppState&) {}
void SynthesizeStereo(AppState&) {}
