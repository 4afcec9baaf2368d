// The binary contract with the host: type widths, the calling convention of every interface
// operation and bound function, and the table slot of every interface operation, checked both on
// the declarations and by calling through raw tables the way the host does.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "ContractDeclarations.h"
#include "platform/Guid.h"
#include "runtime/ClientProcs.h"
#include "runtime/RT_ServerImplementation.h"
#include "ui/DrawingBuffer.h"

namespace qv {
namespace {

// ---- Widths and layouts (checked when the test compiles, on every target) ----

static_assert(sizeof(GUID) == 16 && alignof(GUID) == 4);
static_assert(offsetof(GUID, Data2) == 4 && offsetof(GUID, Data3) == 6 &&
              offsetof(GUID, Data4) == 8);
static_assert(sizeof(ObjectHandle) == 4 && std::is_unsigned_v<ObjectHandle>);
static_assert(sizeof(Coord) == 4 && std::is_signed_v<Coord>);
static_assert(sizeof(Status) == 4 && std::is_signed_v<Status>);
static_assert(sizeof(ObjectId) == 1 && sizeof(QueryMode) == 1 && sizeof(LayerId) == 1);
static_assert(sizeof(double) == 8);  // angles cross the interface as 64-bit floats
static_assert(sizeof(ShortString<1>) == 2 && sizeof(ShortString<20>) == 21 &&
              sizeof(String255) == 256 && alignof(String255) == 1);
static_assert(offsetof(String255, Chars) == 1);
static_assert(sizeof(WindowHandle) == sizeof(void*) && sizeof(InstanceHandle) == sizeof(void*));
#if defined(_WIN32) && !defined(_WIN64)
// The host is a 32-bit program: pointers, handles and interface references are 4 bytes, and the
// record that GetGlobalBuffer fills is its 64 bytes.
static_assert(sizeof(void*) == 4 && sizeof(IUnknown*) == 4);
static_assert(sizeof(ui::GlobalBufferRecord) == 64);
static_assert(offsetof(ui::GlobalBufferRecord, Colour) == 40 &&
              offsetof(ui::GlobalBufferRecord, Bitmap) == 44 &&
              offsetof(ui::GlobalBufferRecord, DeviceContext) == 48 &&
              offsetof(ui::GlobalBufferRecord, Pixels) == 52 &&
              offsetof(ui::GlobalBufferRecord, Height) == 56 &&
              offsetof(ui::GlobalBufferRecord, Width) == 60);
#endif

// ---- Calling convention (meaningful on 32-bit Windows, where it is __stdcall) ----

template <class T>
struct IsHostMember : std::false_type {};
template <class R, class C, class... A>
struct IsHostMember<R (QV_STDCALL C::*)(A...)> : std::true_type {};

template <class T>
struct IsHostFunction : std::false_type {};
template <class R, class... A>
struct IsHostFunction<R(QV_STDCALL*)(A...)> : std::true_type {};

#if defined(_WIN32) && !defined(_WIN64)
// The traits tell the conventions apart, so the checks below can fail.
struct Probe {
  int Plain();
};
static_assert(!IsHostMember<decltype(&Probe::Plain)>::value);
static_assert(!IsHostFunction<int (*)(int)>::value && !IsHostFunction<int(__cdecl*)(int)>::value);
#endif

template <class Tuple>
constexpr bool AllHostMembers(const Tuple& operations) {
  return std::apply([](auto... op) { return (IsHostMember<decltype(op)>::value && ...); },
                    operations);
}
template <class... Procs>
constexpr bool AllHostFunctions(std::tuple<Procs...>*) {
  return (IsHostFunction<Procs>::value && ...);
}

static_assert(AllHostMembers(contract::IUnknown_Operations), "IUnknown");
static_assert(AllHostMembers(contract::IServerModule_Operations), "IServerModule");
static_assert(AllHostMembers(contract::ICommandLauncher_Operations), "ICommandLauncher");
static_assert(AllHostMembers(contract::IProcessControl_Operations), "IProcessControl");
static_assert(AllHostMembers(contract::IHelpPopupContext_Operations), "IHelpPopupContext");
static_assert(AllHostMembers(contract::IClient_Operations), "IClient");
static_assert(AllHostMembers(contract::IServerDocument_Operations), "IServerDocument");
static_assert(AllHostMembers(contract::IProcessRunner_Operations), "IProcessRunner");
static_assert(AllHostFunctions(static_cast<contract::BoundFunctionTypes*>(nullptr)),
              "a bound function type lacks the host's calling convention");
static_assert(std::tuple_size_v<contract::BoundFunctionTypes> > 0);

// ---- Slots of the declarations ----

// The table slot of a virtual operation, read from its member pointer: in the C++ ABI of every
// target we build for, a pointer to a virtual member function holds 1 + the slot's byte offset.
template <class M>
std::ptrdiff_t SlotOf(M member) {
  static_assert(sizeof(M) == 2 * sizeof(std::ptrdiff_t));
  std::ptrdiff_t words[2];
  std::memcpy(words, &member, sizeof words);
  if ((words[0] & 1) == 0) return -1;  // not a virtual operation
  return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

template <class Tuple>
std::vector<std::ptrdiff_t> SlotsOf(const Tuple& operations) {
  std::vector<std::ptrdiff_t> slots;
  std::apply([&](auto... op) { (slots.push_back(SlotOf(op)), ...); }, operations);
  return slots;
}

TEST(InterfaceLayout, EveryInterfaceHasItsOperationCountAndNoGapsInItsTable) {
  struct Case {
    std::string_view Interface;
    std::vector<std::ptrdiff_t> Slots;
    std::size_t Operations;  // after the three reference-counting operations
  };
  const Case cases[] = {
      {"IServerModule", SlotsOf(contract::IServerModule_Operations), 14},
      {"ICommandLauncher", SlotsOf(contract::ICommandLauncher_Operations), 2},
      {"IProcessControl", SlotsOf(contract::IProcessControl_Operations), 4},
      {"IHelpPopupContext", SlotsOf(contract::IHelpPopupContext_Operations), 10},
      {"IClient", SlotsOf(contract::IClient_Operations), 37},
      {"IServerDocument", SlotsOf(contract::IServerDocument_Operations), 17},
      {"IProcessRunner", SlotsOf(contract::IProcessRunner_Operations), 2},
  };
  EXPECT_EQ(SlotsOf(contract::IUnknown_Operations), (std::vector<std::ptrdiff_t>{0, 1, 2}));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Interface));
    ASSERT_EQ(c.Slots.size(), c.Operations);
    // Operation n (from 1) sits at slot n + 2: no destructor or other entry before or between.
    for (std::size_t n = 1; n <= c.Operations; ++n) EXPECT_EQ(c.Slots[n - 1], n + 2) << n;
  }
}

TEST(InterfaceLayout, OperationsTheModuleUsesSitAtTheirNumberedSlots) {
  struct Case {
    std::string_view Operation;
    std::ptrdiff_t Slot;
    std::ptrdiff_t Number;
  };
  const Case cases[] = {
      {"IServerModule::ProcessIdle", SlotOf(&IServerModule::ProcessIdle), 1},
      {"IServerModule::GetCommandLauncher", SlotOf(&IServerModule::GetCommandLauncher), 6},
      {"IServerModule::GetModuleName", SlotOf(&IServerModule::GetModuleName), 10},
      {"IServerModule::GetModuleValue", SlotOf(&IServerModule::GetModuleValue), 14},
      {"ICommandLauncher::LaunchCommand", SlotOf(&ICommandLauncher::LaunchCommand), 1},
      {"ICommandLauncher::GetCommandState", SlotOf(&ICommandLauncher::GetCommandState), 2},
      {"IProcessControl::GetNestingLevel", SlotOf(&IProcessControl::GetNestingLevel), 1},
      {"IProcessControl::SetNestingLevel", SlotOf(&IProcessControl::SetNestingLevel), 4},
      {"IClient::NotifyBeforeOpen", SlotOf(&IClient::NotifyBeforeOpen), 1},
      {"IClient::NotifyAfterOpen", SlotOf(&IClient::NotifyAfterOpen), 5},
      {"IClient::GetHelpOwnerWindow", SlotOf(&IClient::GetHelpOwnerWindow), 7},
      {"IClient::GetDialogOwnerWindow", SlotOf(&IClient::GetDialogOwnerWindow), 13},
      {"IClient::GetHelpPopupContext", SlotOf(&IClient::GetHelpPopupContext), 15},
      {"IClient::OpenDocument", SlotOf(&IClient::OpenDocument), 22},
      {"IClient::ServerFileForTarget", SlotOf(&IClient::ServerFileForTarget), 37},
      {"IHelpPopupContext::PreparePopup", SlotOf(&IHelpPopupContext::PreparePopup), 10},
      {"IServerDocument::GetView", SlotOf(&IServerDocument::GetView), 17},
      {"IProcessRunner::RunProcess", SlotOf(&IProcessRunner::RunProcess), 2},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Slot, c.Number + 2) << c.Operation;
}

// ---- Calls through raw tables, as the host makes them ----

using Slot = void (*)();

// Calls slot `slot` of the interface at `object` with the object first, the way a caller that
// knows only the table does.
template <class R, class... A>
R CallSlot(void* object, int slot, A... args) {
  const Slot* table = *static_cast<const Slot* const*>(object);
  return reinterpret_cast<R(QV_STDCALL*)(void*, A...)>(table[slot])(object, args...);
}

int32_t Answer(IUnknown*, char*) {
  return 42;
}

class TContractModule final : public TServerModule {
 public:
  TContractModule() : TServerModule(nullptr, "Contract") { Construct(); }

 protected:
  IServerDocument* NewDocumentObject(int32_t, int32_t) override { return nullptr; }
  void RegisterCommands() override {
    CommandLauncherObject()->RegisterCommand("Answer", &Answer, nullptr);
  }
};

class RawCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = new TContractModule;
    ASSERT_EQ(CallSlot<int32_t>(Module(), 1), 1);  // AddRef: the host's one reference
  }
  void TearDown() override {
    if (module_ != nullptr) CallSlot<int32_t>(Module(), 2);  // Release destroys it
    SetCurrentClient(nullptr);
  }
  void* Module() { return static_cast<IServerModule*>(module_); }

  TContractModule* module_ = nullptr;
};

TEST_F(RawCalls, ServerModuleAnswersAtEachSlot) {
  EXPECT_STREQ(CallSlot<const char*>(Module(), 12), "Contract");  // 10 GetModuleName
  EXPECT_EQ(CallSlot<int32_t>(Module(), 9), 0);                   // 7 GetDocumentCount
  EXPECT_EQ(CallSlot<int32_t>(Module(), 14), 0);                  // 12 GetAuxiliaryCount
  EXPECT_EQ(CallSlot<int32_t>(Module(), 16), 0);                  // 14 GetModuleValue

  void* found = nullptr;
  EXPECT_EQ(CallSlot<int32_t>(Module(), 0, &IID_IServerModule, &found), S_OK);
  EXPECT_EQ(found, Module());
  EXPECT_EQ(CallSlot<int32_t>(found, 2), 1);  // the query's reference, given back
  constexpr GUID other = MakeGuid("{01234567-89AB-CDEF-0123-456789ABCDEF}");
  EXPECT_EQ(CallSlot<int32_t>(Module(), 0, &other, &found), E_NOINTERFACE);

  // 3 CreateServerDocument: A and B come first, the result's address last. The variable holds a
  // reference, which the module releases before it stores its answer (none).
  ASSERT_EQ(CallSlot<int32_t>(Module(), 1), 2);
  void* document = Module();
  CallSlot<void>(Module(), 5, int32_t{1}, int32_t{2}, &document);
  EXPECT_EQ(document, nullptr);
  EXPECT_EQ(CallSlot<int32_t>(Module(), 1), 2);  // back to the host's one reference, plus this
  CallSlot<int32_t>(Module(), 2);
}

TEST_F(RawCalls, LauncherAndProcessControlAnswerAtTheirSlots) {
  void* launcher = nullptr;
  CallSlot<void>(Module(), 8, &launcher);  // 6 GetCommandLauncher
  ASSERT_NE(launcher, nullptr);
  char parameters[16] = "";
  EXPECT_EQ(
      CallSlot<int32_t>(launcher, 3, "answer", parameters, int32_t{0}, static_cast<void*>(nullptr)),
      42);  // 1 LaunchCommand, name compared without regard to case
  EXPECT_EQ(CallSlot<int32_t>(launcher, 3, "Missing", parameters, int32_t{0},
                              static_cast<void*>(nullptr)),
            0);

  void* control = nullptr;
  CallSlot<void>(Module(), 13, &control);  // 11 GetProcessControl
  ASSERT_NE(control, nullptr);
  CallSlot<void>(control, 5, static_cast<void*>(nullptr), int32_t{0});  // 3 BeginProcess
  CallSlot<void>(control, 5, static_cast<void*>(nullptr), int32_t{0});
  CallSlot<void>(control, 4, static_cast<void*>(nullptr), int32_t{0});  // 2 EndProcess
  EXPECT_EQ(CallSlot<int32_t>(control, 3), 1);                          // 1 GetNestingLevel
  CallSlot<void>(control, 6, int32_t{-7});                              // 4 SetNestingLevel
  EXPECT_EQ(CallSlot<int32_t>(control, 3), -7);
}

// A host object made the way a host in another language makes it: a plain table of functions.
// Every slot that the module must not call records that it was called. The two words before the
// slots are what the C++ ABI keeps there (offset to the whole object, type information); only a
// sanitizer's type check reads them.
template <std::size_t N>
struct RawTable {
  std::ptrdiff_t OffsetToTop = 0;
  const std::type_info* Type = nullptr;
  std::array<Slot, N> Slots{};
};
struct RawHostObject {
  const Slot* Table;
};

int wrongSlot = -1;
int references = 0;
RawHostObject runner{};

template <int N>
void QV_STDCALL WrongSlot(void*) {
  wrongSlot = N;
}
template <std::size_t... N>
constexpr std::array<Slot, sizeof...(N)> WrongSlots(std::index_sequence<N...>) {
  return {reinterpret_cast<Slot>(&WrongSlot<static_cast<int>(N)>)...};
}

int32_t QV_STDCALL HostAddRef(void*) {
  return ++references;
}
int32_t QV_STDCALL HostRelease(void*) {
  return --references;
}
int32_t QV_STDCALL ClientQueryInterface(void*, const GUID* iid, void** object) {
  if (*iid == IID_IProcessRunner) {
    ++references;
    *object = &runner;
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}
WindowHandle QV_STDCALL ClientDialogOwner(void*) {
  return reinterpret_cast<WindowHandle>(0x1234);
}

std::string ranName;
int32_t ranSize = 0;
int32_t QV_STDCALL RunnerRun(void* self, const char* name, char*, int32_t size, IUnknown*) {
  if (self != &runner) return 0;
  ranName = name;
  ranSize = size;
  return 1;
}

TEST(RawHostCalls, ModuleCallsTheClientAndProcessRunnerAtTheirSlots) {
  RawTable<3 + 37> clientTable{0, &typeid(IClient), WrongSlots(std::make_index_sequence<3 + 37>())};
  clientTable.Slots[0] = reinterpret_cast<Slot>(&ClientQueryInterface);
  clientTable.Slots[1] = reinterpret_cast<Slot>(&HostAddRef);
  clientTable.Slots[2] = reinterpret_cast<Slot>(&HostRelease);
  clientTable.Slots[13 + 2] = reinterpret_cast<Slot>(&ClientDialogOwner);
  RawTable<3 + 2> runnerTable{0, &typeid(IProcessRunner),
                              WrongSlots(std::make_index_sequence<3 + 2>())};
  runnerTable.Slots[1] = reinterpret_cast<Slot>(&HostAddRef);
  runnerTable.Slots[2] = reinterpret_cast<Slot>(&HostRelease);
  runnerTable.Slots[2 + 2] = reinterpret_cast<Slot>(&RunnerRun);
  runner.Table = runnerTable.Slots.data();
  RawHostObject client{clientTable.Slots.data()};
  wrongSlot = -1;
  references = 0;

  SetCurrentClient(reinterpret_cast<IClient*>(&client));
  EXPECT_EQ(GetClientWindow(), reinterpret_cast<WindowHandle>(0x1234));
  char parameters[4096] = "Name=Value";
  EXPECT_TRUE(RunProcess("PCB:Zoom", parameters, sizeof parameters, nullptr));
  SetCurrentClient(nullptr);

  EXPECT_EQ(wrongSlot, -1) << "the module called slot " << wrongSlot;
  EXPECT_EQ(ranName, "PCB:Zoom");
  EXPECT_EQ(ranSize, 4096);
  EXPECT_EQ(references, 0) << "references taken and not given back";
}

}  // namespace
}  // namespace qv
