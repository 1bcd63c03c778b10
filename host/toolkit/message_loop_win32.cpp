#include "message_loop_win32.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vantrel::toolkit {
namespace {

struct HandleWait {
  HANDLE handle;
  std::function<void()> signalled;
};

std::vector<HandleWait>& HandleWaits() {
  static std::vector<HandleWait> waits;
  return waits;
}

// Waits for a message or a watched handle and runs what that handle waits
// for; false once the loop is to end.
bool WaitAndDispatch() {
  std::vector<HandleWait>& waits = HandleWaits();
  std::vector<HANDLE> handles;
  for (const HandleWait& wait : waits) handles.push_back(wait.handle);
  const DWORD count =
      static_cast<DWORD>(std::min<size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS - 1));
  const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                                  MWMO_INPUTAVAILABLE);
  if (woken < WAIT_OBJECT_0 + count) {
    HandleWait signalled = std::move(waits[woken - WAIT_OBJECT_0]);
    waits.erase(waits.begin() + (woken - WAIT_OBJECT_0));
    signalled.signalled();
    return true;
  }
  // A handle closed under the wait would fail every wait: the messages go on
  // without the handles.
  if (woken == WAIT_FAILED) waits.clear();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace

void When_Signalled(HANDLE handle, std::function<void()> signalled) {
  if (handle) HandleWaits().push_back({handle, std::move(signalled)});
}

int Run_Message_Loop() {
  while (WaitAndDispatch()) {
  }
  return 0;
}

}  // namespace vantrel::toolkit
