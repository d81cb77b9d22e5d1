#pragma once

#include <QDialog>

class CAppContext;
class QCheckBox;
class QComboBox;
class QLineEdit;

// "Configuration": the game folder, icons, caching, priority, hotkeys, toolbar dragging
// and the theme. Changes that touch the cached database remove the cache and offer to
// recache at once.
class CConfigDialog : public QDialog
{
    Q_OBJECT

public:
    CConfigDialog(CAppContext& app, QWidget* parent);

    // The pixel values behind the combo boxes' entries 0 to 3.
    static constexpr int IconSizes[4] = {12, 16, 20, 24};
    static constexpr int StickyStrengths[4] = {0, 8, 16, 24};

    void accept() override;
    void Browse();

    QLineEdit* GamePathEdit() const { return m_gamePath; }
    QCheckBox* IconsBox() const { return m_icons; }
    QComboBox* IconSizeBox() const { return m_iconSize; }
    QComboBox* StickyBox() const { return m_sticky; }
    QComboBox* ThemeBox() const { return m_theme; }
    QCheckBox* CacheBox() const { return m_cache; }
    QCheckBox* PriorityBox() const { return m_priority; }
    QCheckBox* HotkeysBox() const { return m_hotkeys; }
    QCheckBox* DragBox() const { return m_drag; }

private:
    void Load();

    CAppContext& m_app;
    QLineEdit* m_gamePath;
    QCheckBox* m_icons;
    QComboBox* m_iconSize;
    QComboBox* m_sticky;
    QComboBox* m_theme;
    QCheckBox* m_cache;
    QCheckBox* m_priority;
    QCheckBox* m_hotkeys;
    QCheckBox* m_drag;
};
