#pragma once
// A test fixture that loads the recording fake editor once per program, gives every test a clean
// editor state and binds the module's PcbApi table to it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bindings/PCBProcs.h"
#include "platform/Module.h"
#include "tests/support/FakeEditor.h"

namespace qv::test {

class FakeEditorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (library_ != nullptr) return;
    std::string error;
    library_ = platform::LoadedLibrary::Load(QUORVEL_FAKE_EDITOR_PATH, error).release();
    ASSERT_NE(library_, nullptr) << error;
  }

  void SetUp() override {
    ASSERT_NE(library_, nullptr);
    auto get = reinterpret_cast<FakeEditor_State_Proc>(library_->Symbol("FakeEditor_State"));
    ASSERT_NE(get, nullptr);
    editor_ = get();
    *editor_ = FakeEditorState{};
    BindPcbApi();
  }

  FakeEditorState& Editor() { return *editor_; }

 private:
  // Stays loaded for the whole program: the binding holds addresses into it.
  static inline platform::LoadedLibrary* library_ = nullptr;
  FakeEditorState* editor_ = nullptr;
};

}  // namespace qv::test
