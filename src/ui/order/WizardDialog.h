#pragma once

#include "browsers/OrderWizard.h"

#include <QWizard>

class CAppContext;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

// "New Order from Template": who the order is for and the template (page 1), the formulae
// of its sets with tiers and batches (page 2), techniques, a summary and whether the order
// replaces the current one (page 3). What each page offers comes from the wizard core.
class CWizardDialog : public QWizard
{
    Q_OBJECT

public:
    enum EPage
    {
        WhoPage,
        WhatPage,
        HowPage
    };

    CWizardDialog(CAppContext& app, QWidget* parent);

    // After Finish: the choices, and whether they replace the order.
    const CWizardPlan& Plan() const { return m_plan; }
    bool Replace() const;

    QRadioButton* ProfileRadio() const { return m_profileRadio; }
    QRadioButton* ByHandRadio() const { return m_byHandRadio; }
    QComboBox* ProfileCombo() const { return m_profileCombo; }
    QComboBox* RaceCombo() const { return m_raceCombo; }
    QComboBox* TypeCombo() const { return m_typeCombo; }
    QComboBox* SchoolCombo() const { return m_schoolCombo; }
    QSpinBox* LevelSpin() const { return m_levelSpin; }
    QListWidget* TemplateList() const { return m_templates; }
    QTreeWidget* FormulaTree() const { return m_formulae; }
    QLabel* ProblemsLabel() const { return m_problems; }
    QTreeWidget* TechniqueTree() const { return m_techniques; }
    QLabel* TechniqueMessage() const { return m_techniqueMessage; }
    QPlainTextEdit* Summary() const { return m_summary; }
    QRadioButton* ReplaceRadio() const { return m_replace; }
    QRadioButton* AppendRadio() const { return m_append; }

    bool validateCurrentPage() override;

private:
    QWizardPage* BuildWhoPage();
    QWizardPage* BuildWhatPage();
    QWizardPage* BuildHowPage();
    CWizardWho Who() const;
    void FillSchools();
    void RefreshTemplates();
    const CWizardTemplate* ChosenTemplate() const;
    void PreparePlan();
    void FillFormulae();
    void OnFormulaChanged(QTreeWidgetItem* entry, int column);
    void FillTechniques();
    void OnTechniqueChanged(QTreeWidgetItem* entry, int column);
    void RefreshSummary();
    CWizardChoice* ChoiceOf(const QTreeWidgetItem* entry);

    CAppContext& m_app;
    std::vector<const CWizardTemplate*> m_offered;
    std::vector<CTierRange> m_ranges;
    CWizardPlan m_plan;
    // What the plan was made for: a new template or range starts it afresh.
    const CWizardTemplate* m_planFor = nullptr;
    CTierRange m_planRange{0, 0};
    bool m_filling = false;

    QRadioButton* m_profileRadio;
    QRadioButton* m_byHandRadio;
    QComboBox* m_profileCombo;
    QComboBox* m_raceCombo;
    QComboBox* m_typeCombo;
    QComboBox* m_schoolCombo;
    QSpinBox* m_levelSpin;
    QListWidget* m_templates;
    QLabel* m_noTemplate;
    QLabel* m_unreadable;
    QTreeWidget* m_formulae;
    QLabel* m_problems;
    QTreeWidget* m_techniques;
    QLabel* m_techniqueMessage;
    QPlainTextEdit* m_summary;
    QRadioButton* m_replace;
    QRadioButton* m_append;
};
