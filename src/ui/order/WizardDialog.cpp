#include "ui/order/WizardDialog.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/WorkingItem.h"
#include "database/GameDatabase.h"
#include "order/OrderWindowLogic.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/MessageBox.h"
#include "ui/shell/QtText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <set>

namespace
{
constexpr int SetRole = Qt::UserRole;
constexpr int ChoiceRole = Qt::UserRole + 1;
constexpr int OptionRole = Qt::UserRole + 2;

// A page whose Next waits for a condition and which prepares itself when entered.
class CWizardStep : public QWizardPage
{
public:
    using QWizardPage::QWizardPage;
    std::function<bool()> complete;
    std::function<void()> enter;
    bool isComplete() const override { return complete ? complete() : true; }
    void initializePage() override
    {
        if (enter)
            enter();
    }
    void Changed() { Q_EMIT completeChanged(); }
};

QLabel* WrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QString AnyOr(const QComboBox* combo)
{
    return combo->currentIndex() <= 0 ? QString() : combo->currentText();
}
} // namespace

CWizardDialog::CWizardDialog(CAppContext& app, QWidget* parent) : QWizard(parent), m_app(app)
{
    setWindowTitle(Tr(Messages::WizardTitle));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setPage(WhoPage, BuildWhoPage());
    setPage(WhatPage, BuildWhatPage());
    setPage(HowPage, BuildHowPage());
    // Like the program's other dialogs it keeps the desktop's colours in every theme: its
    // titles, lists and ticks are drawn for those.
    resize(760, 620);
    RefreshTemplates();
}

bool CWizardDialog::Replace() const
{
    return m_replace->isChecked();
}

QWizardPage* CWizardDialog::BuildWhoPage()
{
    auto* page = new CWizardStep(this);
    page->setTitle(Tr(Messages::WizardWhoTitle));
    page->setSubTitle(Tr(Messages::WizardWhoText));
    auto* layout = new QVBoxLayout(page);

    m_profileRadio = new QRadioButton(Tr(Messages::WizardProfile), page);
    m_profileCombo = new QComboBox(page);
    m_profileCombo->setAccessibleName(QStringLiteral("Profile"));
    const CProfileEntries profiles = ProfileEntries(m_app.Profiles());
    for (const std::string& entry : profiles.entries)
        m_profileCombo->addItem(Qs(entry));
    m_profileCombo->setCurrentIndex(std::max(profiles.current, 0));
    m_byHandRadio = new QRadioButton(Tr(Messages::WizardByHand), page);
    auto* modes = new QButtonGroup(page);
    modes->addButton(m_profileRadio);
    modes->addButton(m_byHandRadio);
    (profiles.entries.empty() ? m_byHandRadio : m_profileRadio)->setChecked(true);
    m_profileRadio->setEnabled(!profiles.entries.empty());
    layout->addWidget(m_profileRadio);
    auto* profileRow = new QHBoxLayout;
    profileRow->addSpacing(24);
    profileRow->addWidget(m_profileCombo, 1);
    layout->addLayout(profileRow);
    layout->addWidget(m_byHandRadio);

    // Races and school types as the templates name them.
    std::set<std::string> races;
    std::vector<std::string> types{std::string(Messages::WizardTypeCraft),
                                   std::string(Messages::WizardTypeAdventure)};
    for (const auto& wizard : m_app.Database().wizards)
    {
        races.insert(wizard->races.begin(), wizard->races.end());
        if (std::find(types.begin(), types.end(), wizard->type) == types.end())
            types.push_back(wizard->type);
    }
    auto* form = new QFormLayout;
    form->setContentsMargins(24, 0, 0, 0);
    m_raceCombo = new QComboBox(page);
    m_raceCombo->addItem(Tr(Messages::WizardAny));
    for (const std::string& race : races)
        m_raceCombo->addItem(Qs(race));
    m_typeCombo = new QComboBox(page);
    for (const std::string& type : types)
        m_typeCombo->addItem(Tr(type), Qs(type)); // the templates' own word kept as the data
    m_schoolCombo = new QComboBox(page);
    m_levelSpin = new QSpinBox(page);
    m_levelSpin->setRange(1, 100);
    m_levelSpin->setValue(10);
    form->addRow(Tr(Messages::WizardRace), m_raceCombo);
    form->addRow(Tr(Messages::WizardSchoolType), m_typeCombo);
    form->addRow(Tr(Messages::WizardSchool), m_schoolCombo);
    form->addRow(Tr(Messages::WizardLevel), m_levelSpin);
    layout->addLayout(form);

    auto* templatesLabel = new QLabel(Tr(Messages::WizardTemplates), page);
    layout->addWidget(templatesLabel);
    m_templates = new QListWidget(page);
    templatesLabel->setBuddy(m_templates);
    m_templates->setAccessibleName(templatesLabel->text()); // item views take no name from their buddy
    layout->addWidget(m_templates, 1);
    m_noTemplate = WrappedLabel(Tr(Messages::WizardNoTemplate), page);
    layout->addWidget(m_noTemplate);
    m_unreadable = WrappedLabel({}, page);
    std::string unreadable;
    for (const CWizardFileProblem& problem :
         UnreadableWizardFiles(DataPaths::Join(m_app.DataFolder(), DataPaths::Wizards)))
        unreadable += (unreadable.empty() ? "" : "\n") + Bytes(TrFormat(Messages::WizardFileProblem,
                                                                problem.file.filename().c_str(),
                                                                problem.reason.c_str()));
    m_unreadable->setText(Qs(unreadable));
    m_unreadable->setVisible(!unreadable.empty());
    layout->addWidget(m_unreadable);

    FillSchools();
    const auto refresh = [this] { RefreshTemplates(); };
    connect(m_profileRadio, &QRadioButton::toggled, this, refresh);
    connect(m_profileCombo, &QComboBox::currentIndexChanged, this, refresh);
    connect(m_raceCombo, &QComboBox::currentIndexChanged, this, refresh);
    connect(m_typeCombo, &QComboBox::currentIndexChanged, this,
            [this]
            {
                FillSchools();
                RefreshTemplates();
            });
    connect(m_schoolCombo, &QComboBox::currentIndexChanged, this, refresh);
    connect(m_levelSpin, &QSpinBox::valueChanged, this, refresh);
    connect(m_templates, &QListWidget::currentRowChanged, page, [page](int) { page->Changed(); });
    connect(m_templates, &QListWidget::itemDoubleClicked, this, [this] { next(); });
    page->complete = [this] { return ChosenTemplate() != nullptr; };
    return page;
}

void CWizardDialog::FillSchools()
{
    const QString type = m_typeCombo->currentData().toString();
    const QString previous = m_schoolCombo->currentText();
    std::set<std::string> schools;
    for (const auto& wizard : m_app.Database().wizards)
        if (Qs(wizard->type) == type)
            schools.insert(wizard->school);
    m_filling = true;
    m_schoolCombo->clear();
    m_schoolCombo->addItem(Tr(Messages::WizardAny));
    for (const std::string& school : schools)
        m_schoolCombo->addItem(Qs(school));
    m_schoolCombo->setCurrentIndex(std::max(m_schoolCombo->findText(previous), 0));
    m_filling = false;
}

CWizardWho CWizardDialog::Who() const
{
    CWizardWho who;
    who.race = Bytes(AnyOr(m_raceCombo));
    if (m_profileRadio->isChecked())
    {
        const CProfileEntries profiles = ProfileEntries(m_app.Profiles());
        const int index = m_profileCombo->currentIndex();
        if (index >= 0 && index < static_cast<int>(profiles.profiles.size()))
            who.profile = profiles.profiles[static_cast<std::size_t>(index)];
        return who;
    }
    who.type = Bytes(m_typeCombo->currentData().toString());
    who.school = Bytes(AnyOr(m_schoolCombo));
    who.level = m_levelSpin->value();
    return who;
}

void CWizardDialog::RefreshTemplates()
{
    if (m_filling)
        return;
    const bool byHand = m_byHandRadio->isChecked();
    m_profileCombo->setEnabled(!byHand);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_typeCombo, m_schoolCombo, m_levelSpin})
        control->setEnabled(byHand);

    const CWizardWho who = Who();
    const CWizardTemplate* chosen = ChosenTemplate();
    m_offered = MatchingTemplates(m_app.Database(), who);
    m_ranges.clear();
    m_templates->clear();
    int select = 0;
    for (const CWizardTemplate* wizard : m_offered)
    {
        const CTierRange range = WorkableTiers(who, *wizard).value_or(CTierRange{});
        m_ranges.push_back(range);
        if (wizard == chosen)
            select = m_templates->count();
        m_templates->addItem(
            TrFormat(Messages::WizardTemplateEntry, WizardTemplateName(*wizard).c_str(),
                      TierRangeText(range).c_str()));
    }
    m_templates->setCurrentRow(m_offered.empty() ? -1 : select);
    m_noTemplate->setVisible(m_offered.empty());
}

const CWizardTemplate* CWizardDialog::ChosenTemplate() const
{
    const int row = m_templates->currentRow();
    return row >= 0 && row < static_cast<int>(m_offered.size())
               ? m_offered[static_cast<std::size_t>(row)]
               : nullptr;
}

QWizardPage* CWizardDialog::BuildWhatPage()
{
    auto* page = new CWizardStep(this);
    page->setTitle(Tr(Messages::WizardWhatTitle));
    page->setSubTitle(Tr(Messages::WizardWhatText));
    auto* layout = new QVBoxLayout(page);
    m_formulae = new QTreeWidget(page);
    m_formulae->setHeaderLabels({Tr(Messages::WizardFormulaColumn), Tr(Messages::WizardTierColumn),
                                 Tr(Messages::WizardBatchesColumn)});
    m_formulae->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_formulae->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_formulae->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_formulae->header()->setStretchLastSection(false);
    m_formulae->setAccessibleName(QStringLiteral("Formulae"));
    layout->addWidget(m_formulae, 1);
    m_problems = WrappedLabel({}, page);
    layout->addWidget(m_problems);
    connect(m_formulae, &QTreeWidget::itemChanged, this, &CWizardDialog::OnFormulaChanged);
    page->enter = [this] { PreparePlan(); };
    page->complete = [this] { return !WizardItems(m_plan).empty(); };
    return page;
}

void CWizardDialog::PreparePlan()
{
    const int row = m_templates->currentRow();
    const CWizardTemplate* wizard = ChosenTemplate();
    if (!wizard)
        return;
    const CTierRange range = m_ranges[static_cast<std::size_t>(row)];
    // Coming back to a template already planned keeps what was chosen.
    if (wizard != m_planFor || range.lowest != m_planRange.lowest ||
        range.highest != m_planRange.highest)
    {
        m_plan = DefaultWizardPlan(m_app.Database(), *wizard, range);
        m_planFor = wizard;
        m_planRange = range;
    }
    FillFormulae();
}

namespace
{
// The formulae of an unticked set are not made, whatever their own ticks: they are shown
// greyed, their tier and batches out of reach, until the set is ticked.
void ShowSetTicked(QTreeWidget* tree, QTreeWidgetItem* set, bool ticked)
{
    for (int i = 0; i < set->childCount(); ++i)
    {
        QTreeWidgetItem* entry = set->child(i);
        entry->setDisabled(!ticked);
        for (int col = 1; col < tree->columnCount(); ++col)
            if (QWidget* editor = tree->itemWidget(entry, col))
                editor->setEnabled(ticked);
    }
}
} // namespace

void CWizardDialog::FillFormulae()
{
    m_filling = true;
    m_formulae->clear();
    for (std::size_t s = 0; s < m_plan.sets.size(); ++s)
    {
        const CWizardSetPlan& set = m_plan.sets[s];
        std::string text = set.set->name;
        if (!set.set->description.empty())
            text += ": " + set.set->description;
        if (!set.known)
            text += TrBytes(Messages::WizardSetUnknown);
        else if (set.choices.empty())
            text += TrBytes(Messages::WizardSetNothing);
        auto* top = new QTreeWidgetItem(m_formulae, {Qs(text)});
        top->setData(0, SetRole, static_cast<int>(s));
        top->setData(0, ChoiceRole, -1);
        top->setFirstColumnSpanned(true);
        top->setToolTip(0, Qs(text));
        if (set.choices.empty())
        {
            top->setFlags(Qt::ItemIsEnabled);
            top->setDisabled(true);
            continue;
        }
        top->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        top->setCheckState(0, set.ticked ? Qt::Checked : Qt::Unchecked);
        for (std::size_t c = 0; c < set.choices.size(); ++c)
        {
            const CWizardChoice& choice = set.choices[c];
            auto* entry = new QTreeWidgetItem(top, {Qs(choice.formula->name)});
            entry->setData(0, SetRole, static_cast<int>(s));
            entry->setData(0, ChoiceRole, static_cast<int>(c));
            entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            entry->setCheckState(0, choice.ticked ? Qt::Checked : Qt::Unchecked);
            auto* tiers = new QComboBox(m_formulae);
            for (const CFormulaTier* tier : choice.tiers)
                tiers->addItem(Qs(tier->name + " (" + tier->levelName + ")"));
            tiers->setCurrentIndex(choice.tier);
            // Each row's editors name their column and their formula.
            tiers->setAccessibleName(QStringLiteral("%1 (%2)").arg(m_formulae->headerItem()->text(1), Qs(choice.formula->name)));
            m_formulae->setItemWidget(entry, 1, tiers);
            auto* batches = new QSpinBox(m_formulae);
            batches->setRange(COrder::MinBatches, COrder::MaxBatches);
            batches->setValue(choice.batches);
            batches->setAccessibleName(QStringLiteral("%1 (%2)").arg(m_formulae->headerItem()->text(2), Qs(choice.formula->name)));
            m_formulae->setItemWidget(entry, 2, batches);
            connect(tiers, &QComboBox::currentIndexChanged, this,
                    [this, s, c](int index)
                    {
                        CWizardChoice& chosen = m_plan.sets[s].choices[c];
                        chosen.tier =
                            std::clamp(index, 0, static_cast<int>(chosen.tiers.size()) - 1);
                        KeepTakenTechniques(m_app.Database(), *m_plan.wizard, chosen);
                    });
            connect(batches, &QSpinBox::valueChanged, this,
                    [this, s, c](int value) { m_plan.sets[s].choices[c].batches = value; });
        }
        ShowSetTicked(m_formulae, top, set.ticked);
        top->setExpanded(true);
    }
    std::string problems;
    for (const std::string& problem : m_plan.problems)
        problems += (problems.empty() ? "" : "\n") + problem;
    m_problems->setText(Qs(problems));
    m_problems->setVisible(!problems.empty());
    m_filling = false;
    static_cast<CWizardStep*>(page(WhatPage))->Changed();
}

CWizardChoice* CWizardDialog::ChoiceOf(const QTreeWidgetItem* entry)
{
    const int s = entry->data(0, SetRole).toInt();
    const int c = entry->data(0, ChoiceRole).toInt();
    if (s < 0 || s >= static_cast<int>(m_plan.sets.size()) || c < 0)
        return nullptr;
    auto& choices = m_plan.sets[static_cast<std::size_t>(s)].choices;
    return c < static_cast<int>(choices.size()) ? &choices[static_cast<std::size_t>(c)] : nullptr;
}

void CWizardDialog::OnFormulaChanged(QTreeWidgetItem* entry, int column)
{
    if (m_filling || column != 0)
        return;
    const bool ticked = entry->checkState(0) == Qt::Checked;
    if (CWizardChoice* choice = ChoiceOf(entry))
        choice->ticked = ticked;
    else
    {
        m_plan.sets[static_cast<std::size_t>(entry->data(0, SetRole).toInt())].ticked = ticked;
        ShowSetTicked(m_formulae, entry, ticked);
    }
    static_cast<CWizardStep*>(page(WhatPage))->Changed();
}

QWizardPage* CWizardDialog::BuildHowPage()
{
    auto* page = new CWizardStep(this);
    page->setTitle(Tr(Messages::WizardHowTitle));
    page->setSubTitle(Tr(Messages::WizardHowText));
    auto* layout = new QVBoxLayout(page);
    m_techniques = new QTreeWidget(page);
    m_techniques->setHeaderHidden(true);
    m_techniques->setAccessibleName(QStringLiteral("Techniques"));
    layout->addWidget(m_techniques, 3);
    m_techniqueMessage = WrappedLabel({}, page);
    m_techniqueMessage->setVisible(false);
    layout->addWidget(m_techniqueMessage);
    m_summary = new QPlainTextEdit(page);
    m_summary->setReadOnly(true);
    m_summary->setAccessibleName(QStringLiteral("Summary"));
    m_summary->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_summary, 2);
    m_replace = new QRadioButton(Tr(Messages::WizardReplace), page);
    m_append = new QRadioButton(Tr(Messages::WizardAppend), page);
    auto* modes = new QButtonGroup(page);
    modes->addButton(m_replace);
    modes->addButton(m_append);
    // An order already begun is added to unless the player says otherwise.
    (m_app.Order().ItemCount() > 0 ? m_append : m_replace)->setChecked(true);
    auto* row = new QHBoxLayout;
    row->addWidget(m_replace);
    row->addWidget(m_append);
    row->addStretch(1);
    layout->addLayout(row);
    connect(m_techniques, &QTreeWidget::itemChanged, this, &CWizardDialog::OnTechniqueChanged);
    page->enter = [this] { FillTechniques(); };
    return page;
}

void CWizardDialog::FillTechniques()
{
    const CGameDatabase& db = m_app.Database();
    m_filling = true;
    m_techniques->clear();
    m_techniqueMessage->setVisible(false);
    for (std::size_t s = 0; s < m_plan.sets.size(); ++s)
    {
        CWizardSetPlan& set = m_plan.sets[s];
        if (!set.ticked)
            continue;
        for (std::size_t c = 0; c < set.choices.size(); ++c)
        {
            CWizardChoice& choice = set.choices[c];
            if (!choice.ticked)
                continue;
            const COrderItem item = choice.Item(set.set->name);
            auto* top = new QTreeWidgetItem(
                m_techniques,
                {Qs(ItemLabel(choice.formula->batchQty, item) + "  (" + item.group + ")")});
            top->setData(0, SetRole, static_cast<int>(s));
            top->setData(0, ChoiceRole, static_cast<int>(c));
            top->setFlags(Qt::ItemIsEnabled);
            const std::vector<COrderTechnique> options =
                TechniqueOptions(db, *m_plan.wizard, choice);
            for (std::size_t o = 0; o < options.size(); ++o)
            {
                auto* option = new QTreeWidgetItem(top, {Qs(options[o].tierName)});
                option->setData(0, SetRole, static_cast<int>(s));
                option->setData(0, ChoiceRole, static_cast<int>(c));
                option->setData(0, OptionRole, Qs(options[o].name));
                option->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                                 Qt::ItemIsUserCheckable);
                const bool on = std::any_of(choice.techniques.begin(), choice.techniques.end(),
                                            [&](const COrderTechnique& t)
                                            { return t.name == options[o].name; });
                option->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
            }
            if (options.empty())
            {
                auto* none = new QTreeWidgetItem(top, {Tr(Messages::WizardNoTechnique)});
                none->setFlags(Qt::NoItemFlags);
            }
            top->setExpanded(true);
        }
    }
    m_filling = false;
    RefreshSummary();
}

void CWizardDialog::OnTechniqueChanged(QTreeWidgetItem* entry, int column)
{
    if (m_filling || column != 0 || entry->data(0, OptionRole).isNull())
        return;
    CWizardChoice* choice = ChoiceOf(entry);
    if (!choice)
        return;
    const CGameDatabase& db = m_app.Database();
    const std::string name = Bytes(entry->data(0, OptionRole).toString());
    COrderTechnique technique;
    for (const COrderTechnique& option : TechniqueOptions(db, *m_plan.wizard, *choice))
        if (option.name == name)
            technique = option;
    const bool on = entry->checkState(0) == Qt::Checked;
    const std::string message = SetChoiceTechnique(db, *choice, technique, on);
    m_techniqueMessage->setText(Qs(message));
    m_techniqueMessage->setVisible(!message.empty());
    if (!message.empty())
    {
        m_filling = true;
        entry->setCheckState(0, Qt::Unchecked);
        m_filling = false;
    }
    RefreshSummary();
}

void CWizardDialog::RefreshSummary()
{
    m_summary->setPlainText(Qs(WizardSummary(m_app.Database(), m_plan)));
}

bool CWizardDialog::validateCurrentPage()
{
    if (currentId() == HowPage && m_replace->isChecked() && m_app.Order().modified &&
        m_app.Order().ItemCount() > 0 &&
        !CMessageBox::AskYesNo(this, Tr(Messages::WizardReplaceQuestion)))
        return false;
    return QWizard::validateCurrentPage();
}
