#pragma once
// The host's interfaces as they cross the module boundary: COM layout (a pointer to a table of
// function pointers, the three reference-counting operations first, operation n of an interface
// at slot n + 2), the host's calling convention, interface results through the address of the
// caller's variable placed after the declared arguments, texts as zero-terminated 8-bit strings.
// Operations the module does not use are reserved slots without arguments or result.
#include <cstdint>

#include "platform/CallingConvention.h"
#include "platform/Guid.h"

namespace qv {

using WindowHandle = void*;     // an opaque window handle of the host
using InstanceHandle = void*;   // the handle with which the system loaded a module

constexpr int32_t S_OK = 0;
constexpr int32_t E_NOINTERFACE = static_cast<int32_t>(0x80004002u);

inline constexpr GUID IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");
inline constexpr GUID IID_IServerModule = MakeGuid("{CF7702C4-5044-49E3-BE46-37B9F8FB8203}");
inline constexpr GUID IID_ICommandLauncher = MakeGuid("{B3F5F50A-C728-462B-8C35-0AF07AEFE6D5}");
inline constexpr GUID IID_IProcessControl = MakeGuid("{BAF46BDA-19A1-4848-BFAC-2BEC078C8911}");
inline constexpr GUID IID_IClient = MakeGuid("{4C11EF71-6297-4E2B-90D1-7F5F1A9E2ADE}");
inline constexpr GUID IID_IServerDocument = MakeGuid("{AFC2251E-CC50-4C65-B58F-4C87F5F19584}");
inline constexpr GUID IID_IProcessRunner = MakeGuid("{8452C443-703F-4881-B7AC-C33550794AA6}");

// Interfaces have no virtual destructor: that would add slots to the table. Objects are destroyed
// by their own Release, never through an interface pointer.
struct IUnknown {
  virtual int32_t QV_STDCALL QueryInterface(const GUID& iid, void** object) = 0;
  virtual int32_t QV_STDCALL AddRef() = 0;
  virtual int32_t QV_STDCALL Release() = 0;

 protected:
  ~IUnknown() = default;
};

struct IServerDocument;
struct IClient;
struct ICommandLauncher;
struct IProcessControl;

struct IServerModule : IUnknown {
  virtual void QV_STDCALL ProcessIdle() = 0;                                           // 1
  virtual void QV_STDCALL AcceptHostInterface(IUnknown* host) = 0;                     // 2
  virtual void QV_STDCALL CreateServerDocument(int32_t a, int32_t b,
                                               IServerDocument** result) = 0;          // 3
  virtual void QV_STDCALL DestroyServerDocument(IServerDocument* document) = 0;        // 4
  virtual void QV_STDCALL GetClient(IClient** result) = 0;                             // 5
  virtual void QV_STDCALL GetCommandLauncher(ICommandLauncher** result) = 0;           // 6
  virtual int32_t QV_STDCALL GetDocumentCount() = 0;                                   // 7
  virtual void QV_STDCALL GetDocument(int32_t index, IServerDocument** result) = 0;    // 8
  virtual InstanceHandle QV_STDCALL GetInstanceHandle() = 0;                           // 9
  virtual const char* QV_STDCALL GetModuleName() = 0;                                  // 10
  virtual void QV_STDCALL GetProcessControl(IProcessControl** result) = 0;             // 11
  virtual int32_t QV_STDCALL GetAuxiliaryCount() = 0;                                  // 12
  virtual void QV_STDCALL GetAuxiliaryItem(int32_t index, IUnknown** result) = 0;      // 13
  virtual int32_t QV_STDCALL GetModuleValue() = 0;                                     // 14

 protected:
  ~IServerModule() = default;
};

struct ICommandLauncher : IUnknown {
  virtual int32_t QV_STDCALL LaunchCommand(const char* name, char* parameters, int32_t ignored,
                                           IUnknown* context) = 0;  // 1
  virtual void QV_STDCALL GetCommandState(const char* name, char* parameters, IUnknown* context,
                                          int32_t* a, int32_t* b, int32_t* c, uint8_t* d,
                                          uint8_t* e) = 0;  // 2

 protected:
  ~ICommandLauncher() = default;
};

struct IProcessControl : IUnknown {
  virtual int32_t QV_STDCALL GetNestingLevel() = 0;                        // 1
  virtual void QV_STDCALL EndProcess(IUnknown* context, int32_t value) = 0;    // 2
  virtual void QV_STDCALL BeginProcess(IUnknown* context, int32_t value) = 0;  // 3
  virtual void QV_STDCALL SetNestingLevel(int32_t level) = 0;              // 4

 protected:
  ~IProcessControl() = default;
};

// What the host hands back from operation 15 of IClient before a what's-this popup; only its
// operation 10 is called.
struct IHelpPopupContext : IUnknown {
  virtual void QV_STDCALL Reserved1() = 0;
  virtual void QV_STDCALL Reserved2() = 0;
  virtual void QV_STDCALL Reserved3() = 0;
  virtual void QV_STDCALL Reserved4() = 0;
  virtual void QV_STDCALL Reserved5() = 0;
  virtual void QV_STDCALL Reserved6() = 0;
  virtual void QV_STDCALL Reserved7() = 0;
  virtual void QV_STDCALL Reserved8() = 0;
  virtual void QV_STDCALL Reserved9() = 0;
  virtual void QV_STDCALL PreparePopup() = 0;  // 10

 protected:
  ~IHelpPopupContext() = default;
};

struct IClient : IUnknown {
  virtual void QV_STDCALL NotifyBeforeOpen() = 0;                        // 1
  virtual void QV_STDCALL Reserved2() = 0;                               // 2
  virtual void QV_STDCALL Reserved3() = 0;                               // 3
  virtual void QV_STDCALL Reserved4() = 0;                               // 4
  virtual void QV_STDCALL NotifyAfterOpen(int32_t value) = 0;            // 5
  virtual void QV_STDCALL Reserved6() = 0;                               // 6
  virtual WindowHandle QV_STDCALL GetHelpOwnerWindow() = 0;              // 7
  virtual void QV_STDCALL Reserved8() = 0;                               // 8
  virtual void QV_STDCALL Reserved9() = 0;                               // 9
  virtual void QV_STDCALL Reserved10() = 0;                              // 10
  virtual void QV_STDCALL Reserved11() = 0;                              // 11
  virtual void QV_STDCALL Reserved12() = 0;                              // 12
  virtual WindowHandle QV_STDCALL GetDialogOwnerWindow() = 0;            // 13
  virtual void QV_STDCALL Reserved14() = 0;                              // 14
  virtual void QV_STDCALL GetHelpPopupContext(int32_t value, const char* text,
                                              IUnknown** result) = 0;   // 15
  virtual void QV_STDCALL Reserved16() = 0;                              // 16
  virtual void QV_STDCALL Reserved17() = 0;                              // 17
  virtual void QV_STDCALL Reserved18() = 0;                              // 18
  virtual void QV_STDCALL Reserved19() = 0;                              // 19
  virtual void QV_STDCALL Reserved20() = 0;                              // 20
  virtual void QV_STDCALL Reserved21() = 0;                              // 21
  virtual void QV_STDCALL OpenDocument(const char* kind, const char* fileName,
                                       IServerDocument** result) = 0;   // 22
  virtual void QV_STDCALL Reserved23() = 0;                              // 23
  virtual void QV_STDCALL Reserved24() = 0;                              // 24
  virtual void QV_STDCALL Reserved25() = 0;                              // 25
  virtual void QV_STDCALL Reserved26() = 0;                              // 26
  virtual void QV_STDCALL Reserved27() = 0;                              // 27
  virtual void QV_STDCALL Reserved28() = 0;                              // 28
  virtual void QV_STDCALL Reserved29() = 0;                              // 29
  virtual void QV_STDCALL Reserved30() = 0;                              // 30
  virtual void QV_STDCALL Reserved31() = 0;                              // 31
  virtual void QV_STDCALL Reserved32() = 0;                              // 32
  virtual void QV_STDCALL Reserved33() = 0;                              // 33
  virtual void QV_STDCALL Reserved34() = 0;                              // 34
  virtual void QV_STDCALL Reserved35() = 0;                              // 35
  virtual void QV_STDCALL Reserved36() = 0;                              // 36
  virtual const char* QV_STDCALL ServerFileForTarget(const char* target) = 0;  // 37

 protected:
  ~IClient() = default;
};

struct IServerDocument : IUnknown {
  virtual void QV_STDCALL Reserved1() = 0;
  virtual void QV_STDCALL Reserved2() = 0;
  virtual void QV_STDCALL Reserved3() = 0;
  virtual void QV_STDCALL Reserved4() = 0;
  virtual void QV_STDCALL Reserved5() = 0;
  virtual void QV_STDCALL Reserved6() = 0;
  virtual void QV_STDCALL Reserved7() = 0;
  virtual void QV_STDCALL Reserved8() = 0;
  virtual void QV_STDCALL Reserved9() = 0;
  virtual void QV_STDCALL Reserved10() = 0;
  virtual void QV_STDCALL Reserved11() = 0;
  virtual void QV_STDCALL Reserved12() = 0;
  virtual void QV_STDCALL Reserved13() = 0;
  virtual void QV_STDCALL Reserved14() = 0;
  virtual void QV_STDCALL Reserved15() = 0;
  virtual void QV_STDCALL Reserved16() = 0;
  virtual void QV_STDCALL GetView(int32_t index, IUnknown** result) = 0;  // 17

 protected:
  ~IServerDocument() = default;
};

struct IProcessRunner : IUnknown {
  virtual void QV_STDCALL Reserved1() = 0;
  virtual int32_t QV_STDCALL RunProcess(const char* name, char* parameters, int32_t size,
                                        IUnknown* context) = 0;  // 2

 protected:
  ~IProcessRunner() = default;
};

}  // namespace qv
