// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote_app.h"

#include <atomic>
#include <stdexcept>
#include <thread>

#include "win32/remote_control.h"
#include "win32/wide_text.h"

namespace tarrowen::driver {

namespace {

struct Search {
    DWORD pid = 0;
    const wchar_t* class_name = nullptr;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND w, LPARAM l) {
    auto& s = *reinterpret_cast<Search*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t name[64] = L"";
    GetClassNameW(w, name, 64);
    if ((s.pid == 0 || pid == s.pid) && wcscmp(name, s.class_name) == 0 && IsWindowVisible(w))
        s.found.push_back(w);
    return TRUE;
}

std::vector<HWND> top_level_windows(DWORD pid, const wchar_t* class_name) {
    Search s{pid, class_name, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The message of a message box: its static text that is not the icon.
std::string box_message(HWND box) {
    std::string message;
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t name[32] = L"";
        GetClassNameW(c, name, 32);
        if (_wcsicmp(name, L"Static") != 0) continue;
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        wchar_t text[1024] = L"";
        SendMessageW(c, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
        if (text[0] != L'\0') message = narrow(text);
    }
    return message;
}

void sleep_ms(DWORD ms) {
    Sleep(ms);
}

}  // namespace

RemoteApp::RemoteApp(const std::wstring& exe, std::optional<double> hand_clock) {
    if (hand_clock) {
        SetEnvironmentVariableW(remote::kHandClockVariable, std::to_wstring(*hand_clock).c_str());
    } else {
        SetEnvironmentVariableW(remote::kHandClockVariable, nullptr);
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        throw std::runtime_error("cannot start " + narrow(exe));
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    WaitForInputIdle(process_, 20000);
    find_window();
}

RemoteApp::RemoteApp() {
    find_window();
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid_);
}

RemoteApp::~RemoteApp() {
    if (process_ != nullptr) CloseHandle(process_);
}

void RemoteApp::find_window() {
    for (int i = 0; i < 400 && window_ == nullptr; ++i) {
        const auto found = top_level_windows(pid_, remote::kWindowClass);
        if (!found.empty()) {
            window_ = found.front();
        } else {
            sleep_ms(50);
        }
    }
    if (window_ == nullptr) throw std::runtime_error("no window of the program within 20 s");
    thread_ = GetWindowThreadProcessId(window_, &pid_);
    set_clock_ = RegisterWindowMessageW(remote::kSetClockMessage);
    tick_ = RegisterWindowMessageW(remote::kTickMessage);
    present_ = RegisterWindowMessageW(remote::kPresentMessage);
}

HWND RemoteApp::control(layout::Id id) const {
    HWND c = GetDlgItem(window_, remote::kControlIdBase + id);
    if (c == nullptr)
        throw std::runtime_error(std::string("no control ") + layout::control(id).name);
    return c;
}

LRESULT RemoteApp::act(HWND target, UINT message, WPARAM wp, LPARAM lp) {
    // The program may show a report while it handles the message, and SendMessage returns only
    // once the user has closed it: send from a thread of its own and play the user meanwhile.
    std::atomic<bool> done{false};
    LRESULT result = 0;
    std::thread sender([&] {
        result = SendMessageW(target, message, wp, lp);
        done = true;
    });
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (!done) {
        for (HWND box : top_level_windows(pid_, L"#32770")) {
            reports_.push_back(box_message(box));
            const HWND ok = GetDlgItem(box, IDOK);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ok));
            while (IsWindow(box) && GetTickCount64() < deadline)
                sleep_ms(2);
        }
        if (GetTickCount64() > deadline) {
            sender.detach();
            throw std::runtime_error("the program did not answer within 30 s");
        }
        sleep_ms(2);
    }
    sender.join();
    return result;
}

void RemoteApp::type(layout::Id id, const std::string& utf8) {
    const std::wstring text = widen(utf8);
    act(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void RemoteApp::tick() {
    act(window_, tick_);
}

void RemoteApp::set_clock(double seconds) {
    SendMessageW(window_, set_clock_, 0, remote::seconds_to_lparam(seconds));
}

void RemoteApp::present() {
    act(window_, present_);
}

void RemoteApp::set_client_size(int width, int height) {
    RECT outer{0, 0, width, height};
    AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                             FALSE, 0, GetDpiForWindow(window_));
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A message sent after the resize returns once the window has laid itself out.
    SendMessageW(window_, WM_NULL, 0, 0);
}

std::string RemoteApp::text(HWND w) const {
    wchar_t buffer[1024] = L"";
    SendMessageW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return narrow(buffer);
}

std::vector<std::string> RemoteApp::take_reports() {
    std::vector<std::string> r;
    r.swap(reports_);
    return r;
}

HWND RemoteApp::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread_, &info)) return nullptr;
    return info.hwndFocus;
}

void RemoteApp::wait_until_handled(int posted) const {
    // A thread handles the messages sent to it whenever it looks into its queue, before it
    // takes the next posted one, and the program's loop looks after each message it handles:
    // the reply to the first WM_NULL comes before the first posted message is handled, the
    // reply to the second after it, and so on.
    for (int i = 0; i <= posted; ++i)
        SendMessageW(window_, WM_NULL, 0, 0);
}

void RemoteApp::press_key(WORD key) {
    const HWND to = focus() != nullptr ? focus() : window_;
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(to, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(to, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
    wait_until_handled(2);
}

HWND RemoteApp::tab() {
    const HWND before = focus();
    press_key(VK_TAB);
    wait_for([&] { return focus() != before; });
    return focus();
}

int RemoteApp::close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    if (process_ == nullptr || WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

layout::Id control_named(const std::string& name) {
    const layout::Id id = layout::find(name.c_str());
    if (id == layout::kControlCount) throw std::runtime_error("no control named " + name);
    return id;
}

}  // namespace tarrowen::driver
