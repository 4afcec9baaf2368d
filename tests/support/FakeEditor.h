#pragma once
// A recording stand-in for the PCB editor module, for tests. It is built as a library under the
// editor module's name, so that the module's own binding finds it; it logs every call with its
// arguments and answers record queries from scripted fields. A test reaches its state through
// the exported FakeEditor_State.
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bindings/PcbApiContract.h"

namespace qv::test {

using Bytes = std::vector<uint8_t>;

// One call as the editor received it: its scalar arguments in order (mode, handles, LayerIds,
// indexes, values passed by value) and, for each field pointer, the bytes behind it on entry.
struct FakeCall {
  std::string Name;
  std::vector<int64_t> Args;
  std::vector<Bytes> Fields;

  template <class T>
  T Field(std::size_t index) const {
    T value{};
    if (index < Fields.size()) std::memcpy(&value, Fields[index].data(), sizeof(T));
    return value;
  }
};

// A key that stands for "any handle" or "no extra argument".
constexpr int64_t NoKey = -1;
constexpr ObjectHandle AnyHandle = 0xFFFFFFFFu;

struct FakeEditorState {
  std::vector<FakeCall> Log;
  // Record fields by (function, handle, key): a qmGet copies the scripted fields into the
  // caller's fields (an empty entry leaves that field alone); qmSet and qmUpdate store what
  // they receive here.
  std::map<std::tuple<std::string, ObjectHandle, int64_t>, std::vector<Bytes>> Records;
  // Status answers by (function, handle, key); AnyHandle and NoKey act as wildcards. A query that
  // answers non-zero exchanges nothing.
  std::map<std::tuple<std::string, ObjectHandle, int64_t>, Status> Statuses;
  std::map<ObjectHandle, ObjectId> Kinds;
  // What an iterator over (container, kind, layer) finds, in order.
  std::map<std::tuple<ObjectHandle, ObjectId, LayerId>, std::vector<ObjectHandle>> Contents;
  std::map<ObjectHandle, std::pair<std::vector<ObjectHandle>, std::size_t>> Iterators;
  ObjectHandle CurrentBoard = 0;
  ObjectHandle NextObject = 5000;
  ObjectHandle NextIterator = 900000;
  // When set, the editor writes into the name buffer that PcbApi_AddMemberToClass receives.
  bool ScribbleOnMemberNames = false;

  template <class T>
  void SetField(const std::string& function, ObjectHandle handle, int64_t key, std::size_t index,
                const T& value) {
    auto& fields = Records[{function, handle, key}];
    if (fields.size() <= index) fields.resize(index + 1);
    fields[index].resize(sizeof(T));
    std::memcpy(fields[index].data(), &value, sizeof(T));
  }
  void SetStatus(const std::string& function, ObjectHandle handle, int64_t key, Status status) {
    Statuses[{function, handle, key}] = status;
  }
  Status StatusOf(const std::string& function, ObjectHandle handle, int64_t key,
                  Status otherwise = 0) const {
    for (auto k : {std::tuple{function, handle, key}, std::tuple{function, handle, NoKey},
                   std::tuple{function, AnyHandle, key}, std::tuple{function, AnyHandle, NoKey}}) {
      auto it = Statuses.find(k);
      if (it != Statuses.end()) return it->second;
    }
    return otherwise;
  }
  // The calls of one function, in order.
  std::vector<FakeCall> CallsOf(const std::string& function) const {
    std::vector<FakeCall> calls;
    for (const FakeCall& c : Log)
      if (c.Name == function) calls.push_back(c);
    return calls;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const FakeCall& c : Log) names.push_back(c.Name);
    return names;
  }
};

using FakeEditor_State_Proc = FakeEditorState* (*)();

}  // namespace qv::test
