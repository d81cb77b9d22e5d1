#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <string>
#include <vector>

// Ctrl+Shift+F1 ... F7 and Ctrl+Shift+A for the whole desktop, through key grabs on the X11
// root window. Where the session is not X11, or a key is taken by another program, that
// hotkey is unavailable; the configuration dialog names the taken ones.
class CGlobalHotkeys : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // The hotkeys in order: F1 ... F7, then A (restores the toolbar).
    static constexpr int Count = 8;
    static constexpr int RestoreToolbar = 7;

    explicit CGlobalHotkeys(QObject* parent = nullptr);
    ~CGlobalHotkeys() override;

    // Grabs every key it can; the number grabbed.
    int Register();
    void Unregister();
    int RegisteredCount() const { return static_cast<int>(m_grabs.size()); }
    // The keys the last Register() could not grab ("Ctrl+Shift+F3"), in order.
    const std::vector<std::string>& Taken() const { return m_taken; }
    // "Ctrl+Shift+F1" ... "Ctrl+Shift+F7", "Ctrl+Shift+A".
    static std::string KeyName(int index);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    void Triggered(int index);

private:
    struct CGrab
    {
        int index;
        unsigned keycode;
    };
    std::vector<CGrab> m_grabs;
    std::vector<std::string> m_taken;
    bool m_filtering = false;
};
