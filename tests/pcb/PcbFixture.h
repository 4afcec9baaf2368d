#pragma once
// Helpers for object model tests against the recording fake editor.
#include <string>

#include "pcb/Pcbclass.h"
#include "tests/support/FakeEditorFixture.h"

namespace qv::test {

inline String255 Text255(const std::string& s) {
  String255 t;
  t.Assign(s);
  return t;
}

// Scripts the editor's pad size on a layer, as the per-layer queries answer it.
inline void ScriptPadSize(FakeEditorState& editor, ObjectHandle pad, LayerId layer, Coord x,
                          Coord y) {
  editor.SetField("PcbApi_QueryPadOrViaSizeOnLayer", pad, layer, 0, x);
  editor.SetField("PcbApi_QueryPadOrViaSizeOnLayer", pad, layer, 1, y);
}

}  // namespace qv::test
