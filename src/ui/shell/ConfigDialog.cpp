#include "ui/shell/ConfigDialog.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "database/Cache.h"
#include "ui/order/OrderCommands.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/BusyCursor.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ToolWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
QLabel* Explanation(std::string_view text, QWidget* parent)
{
    auto* label = new QLabel(Tr(text), parent);
    label->setWordWrap(true);
    // A dialog does not follow a wrapped text's height for its width: fix both, so that
    // the dialog opens tall enough for every line.
    constexpr int Width = 380;
    label->setMinimumWidth(Width);
    label->setMinimumHeight(label->heightForWidth(Width));
    return label;
}

int IndexOf(const int (&values)[4], int value)
{
    for (int i = 0; i < 4; ++i)
        if (values[i] == value)
            return i;
    return -1;
}

// The theme files: every name holding ".xml", in byte order.
std::vector<std::string> ThemeFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    {
        const std::string name = it->path().filename().string();
        if (name.find(".xml") != std::string::npos && it->is_regular_file(error))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

CConfigDialog::CConfigDialog(CAppContext& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    setWindowTitle(Tr(Messages::ConfigTitle));
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    QMenu* help = menu->addMenu(Tr(Messages::MenuHelp));
    connect(help->addAction(Tr(Messages::ConfigHelp)), &QAction::triggered, this,
            [this] { OpenHelpLink(m_app, std::string(Messages::ConfigHelpLink)); });
    layout->setMenuBar(menu);

    auto* game = new QGroupBox(Tr(Messages::ConfigGamePath), this);
    auto* gameLayout = new QGridLayout(game);
    gameLayout->addWidget(Explanation(Messages::ConfigGameText, game), 0, 0, 1, 2);
    m_gamePath = new QLineEdit(game);
    m_gamePath->setAccessibleName(game->title());
    auto* browse = new QPushButton(Tr(Messages::ConfigBrowse), game);
    connect(browse, &QPushButton::clicked, this, &CConfigDialog::Browse);
    gameLayout->addWidget(m_gamePath, 1, 0);
    gameLayout->addWidget(browse, 1, 1);
    layout->addWidget(game);

    auto* icons = new QGroupBox(this);
    auto* iconLayout = new QGridLayout(icons);
    iconLayout->addWidget(Explanation(Messages::ConfigIconsText, icons), 0, 0, 1, 2);
    m_icons = new QCheckBox(Tr(Messages::ConfigIcons), icons);
    iconLayout->addWidget(m_icons, 1, 0, 1, 2);
    auto* sizeLabel = new QLabel(Tr(Messages::ConfigIconSize), icons);
    iconLayout->addWidget(sizeLabel, 2, 0);
    m_iconSize = new QComboBox(icons);
    sizeLabel->setBuddy(m_iconSize);
    for (int size : IconSizes)
        m_iconSize->addItem(QString::number(size));
    iconLayout->addWidget(m_iconSize, 2, 1);
    layout->addWidget(icons);

    auto* cache = new QGroupBox(this);
    auto* cacheLayout = new QVBoxLayout(cache);
    cacheLayout->addWidget(Explanation(Messages::ConfigCacheText, cache));
    m_cache = new QCheckBox(Tr(Messages::ConfigCache), cache);
    cacheLayout->addWidget(m_cache);
    layout->addWidget(cache);

    auto* other = new QGroupBox(this);
    auto* otherLayout = new QGridLayout(other);
    m_priority = new QCheckBox(Tr(Messages::ConfigPriority), other);
    m_hotkeys = new QCheckBox(Tr(Messages::ConfigHotkeys), other);
    // Keys are grabbed on X11 only; elsewhere the switch is kept but cannot take effect.
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
    {
        m_hotkeys->setText(Tr(Messages::ConfigHotkeys) + Tr(Messages::ConfigHotkeysUnavailable));
        m_hotkeys->setEnabled(false);
    }
    else if (!app.hotkeysTaken.empty())
    {
        std::string text = TrBytes(Messages::ConfigHotkeys) + TrBytes(Messages::ConfigHotkeysTaken);
        for (std::size_t i = 0; i < app.hotkeysTaken.size(); ++i)
            text += (i ? ", " : "") + app.hotkeysTaken[i];
        m_hotkeys->setText(Qs(text + ")"));
    }
    m_drag = new QCheckBox(Tr(Messages::ConfigDrag), other);
    otherLayout->addWidget(m_priority, 0, 0, 1, 2);
    otherLayout->addWidget(m_hotkeys, 1, 0);
    otherLayout->addWidget(new QLabel(Tr(Messages::ConfigRequiresRestart), other), 1, 1);
    otherLayout->addWidget(m_drag, 2, 0, 1, 2);
    auto* stickyLabel = new QLabel(Tr(Messages::ConfigSticky), other);
    otherLayout->addWidget(stickyLabel, 3, 0);
    m_sticky = new QComboBox(other);
    stickyLabel->setBuddy(m_sticky);
    for (int strength : StickyStrengths)
        m_sticky->addItem(QString::number(strength));
    otherLayout->addWidget(m_sticky, 3, 1);
    auto* themeLabel = new QLabel(Tr(Messages::ConfigTheme), other);
    otherLayout->addWidget(themeLabel, 4, 0);
    m_theme = new QComboBox(other);
    themeLabel->setBuddy(m_theme);
    otherLayout->addWidget(m_theme, 4, 1);
    layout->addWidget(other);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CConfigDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CConfigDialog::reject);
    layout->addWidget(buttons);
    Load();
}

void CConfigDialog::Load()
{
    const CSettings& settings = m_app.Settings();
    m_gamePath->setText(Qs(settings.GameBasePath));
    m_icons->setChecked(settings.EnableIcons);
    m_iconSize->setCurrentIndex(IndexOf(IconSizes, settings.IconSize));
    m_sticky->setCurrentIndex(IndexOf(StickyStrengths, settings.StickyStrength));
    m_cache->setChecked(settings.EnableCache);
    m_priority->setChecked(settings.HighPriority);
    m_hotkeys->setChecked(settings.GlobalHotkeys);
    m_drag->setChecked(settings.DragWithToolbar);
    for (const std::string& name : ThemeFiles(DataPaths::Join(m_app.DataFolder(), DataPaths::Themes)))
        m_theme->addItem(Qs(name));
    m_theme->setCurrentIndex(m_theme->findText(Qs(settings.CurrentTheme), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void CConfigDialog::Browse()
{
    const QString folder = CFileDialog::GetExistingDirectory(this, Tr(Messages::ConfigBrowseTitle), m_gamePath->text());
    if (!folder.isEmpty())
        m_gamePath->setText(folder);
}

void CConfigDialog::accept()
{
    CSettings& settings = m_app.Settings();
    settings.GlobalHotkeys = m_hotkeys->isChecked();
    settings.DragWithToolbar = m_drag->isChecked();
    settings.HighPriority = m_priority->isChecked();
    m_app.ApplyThreadPriority();

    // A combo box without a selection leaves its setting as it was.
    if (m_sticky->currentIndex() >= 0)
        settings.StickyStrength = StickyStrengths[m_sticky->currentIndex()];
    const int iconSize = m_iconSize->currentIndex() >= 0 ? IconSizes[m_iconSize->currentIndex()] : settings.IconSize;

    const std::string gamePath = Bytes(m_gamePath->text());
    const bool recache = iconSize != settings.IconSize || m_icons->isChecked() != settings.EnableIcons ||
                         m_cache->isChecked() != settings.EnableCache || gamePath != settings.GameBasePath;
    settings.IconSize = iconSize;
    settings.EnableIcons = m_icons->isChecked();
    settings.EnableCache = m_cache->isChecked();
    settings.GameBasePath = gamePath;
    m_app.Icons().SetIconSize(iconSize);

    if (recache)
    {
        RemoveCacheFiles(DataPaths::Join(m_app.DataFolder(), DataPaths::Cache));
        // Cancelling the unsaved order's question leaves the rebuild to the next start.
        if (CMessageBox::AskYesNo(this, Tr(Messages::ConfigRecacheQuestion), CMessageBox::EIcon::Question) &&
            OrderCommands::SaveChangesFirst(m_app, this))
        {
            const CBusyCursor busy;
            CProgressWindow progress(this);
            m_app.Recache(&progress);
        }
    }

    const std::string theme = Bytes(m_theme->currentText());
    if (m_theme->currentIndex() >= 0 && theme != settings.CurrentTheme)
    {
        settings.CurrentTheme = theme;
        m_app.ReloadTheme();
        if (m_app.onApplyTheme)
            m_app.onApplyTheme(true);
    }
    QDialog::accept();
}
