#pragma once
// What the embedded web view needs before its engine starts. The engine's
// sandbox refuses to run as root (Chromium's own rule is to switch it off
// there), so for root, and only for root, it is switched off; everyone else
// keeps it. Call before the first web view exists; calling again does nothing.
class WebViewStart {
public:
    WebViewStart() = delete;
    static void prepare();
    // The sandbox is off for this process (root, or switched off by the user's
    // own environment).
    static bool sandboxDisabled();
};
