// Loading a second draws into the editor's thumbnails; tests of that wait for the editor.
#pragma once

#include <gtest/gtest.h>

#include "support/test_world.h"

#define SKIP_WITHOUT_EDITOR(w)                                 \
  if ((w).form1.editor.SegmentThumbnails[0] == nullptr) {      \
    GTEST_SKIP() << "the segment editor is not in this build"; \
  }
