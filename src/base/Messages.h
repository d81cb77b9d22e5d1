#pragma once

#include <QtGlobal>

#include <string_view>

// The program's fixed texts: messages, questions and labels, verbatim, in one place.
// Texts built from pieces keep their pieces here as well.
namespace Messages
{
// Start-up and update archives.
inline constexpr std::string_view MoreThanOneArchive1 = QT_TRANSLATE_NOOP("Messages", "More then one database update file (*.zip) exists in '");
inline constexpr std::string_view MoreThanOneArchive2 =
    QT_TRANSLATE_NOOP("Messages", "'.\nPlease remove all but one and restart the client for the update to take effect!");
inline constexpr std::string_view ArchiveCorrupt = QT_TRANSLATE_NOOP("Messages", "Update failed, database archive is corrupt.\nRemoving update file");
// Texts of our own: an update that did not fit, and one that waits for another Moxa.
inline constexpr std::string_view ArchiveDiskFull =
    QT_TRANSLATE_NOOP("Messages", "Update failed, the disk is full.\nThe update file is kept: please free up some space and restart the client");
inline constexpr std::string_view InstallWaiting =
    QT_TRANSLATE_NOOP("Messages", "Another Moxa is installing a database update in this data folder; waiting for it to finish...");
inline constexpr std::string_view InstallBusy =
    QT_TRANSLATE_NOOP("Messages", "Another Moxa is still installing a database update in this data folder.\nThe update file is kept for the next start");
// The installation's lock file could not be made (a full disk): the system's reason between.
inline constexpr std::string_view InstallCannotLock1 = QT_TRANSLATE_NOOP("Messages", "The database update cannot be installed now: ");
inline constexpr std::string_view InstallCannotLock2 = QT_TRANSLATE_NOOP("Messages", ".\nThe update file is kept for the next start");
// Each file of an installed archive: "Moving 'name'..." or the warning for one not kept.
inline constexpr std::string_view MovingFile1 = QT_TRANSLATE_NOOP("Messages", "Moving '");
inline constexpr std::string_view MovingFile2 = "'...";
inline constexpr std::string_view UnexpectedFile1 = QT_TRANSLATE_NOOP("Messages", "Warning - Unexpected File '");
inline constexpr std::string_view UnexpectedFile2 = QT_TRANSLATE_NOOP("Messages", "' found. This file will be deleted.");

// Choosing the data folder at start.
inline constexpr std::string_view NotADataFolder1 = "'";
inline constexpr std::string_view NotADataFolder2 =
    QT_TRANSLATE_NOOP("Messages", "' is not a Moxa data folder: it holds neither a Config folder nor an update archive in Temp");
inline constexpr std::string_view NoSampleData1 = QT_TRANSLATE_NOOP("Messages", "no data folder: the current directory holds no Config folder, nor does '");
inline constexpr std::string_view NoSampleData2 = QT_TRANSLATE_NOOP("Messages", "', and no sample data is installed to copy there (name one with --data-dir DIR)");
inline constexpr std::string_view NoPerUserFolder =
    QT_TRANSLATE_NOOP("Messages", "no data folder: the current directory holds no Config folder and neither XDG_DATA_HOME nor HOME is set");
inline constexpr std::string_view SeedFailed1 = QT_TRANSLATE_NOOP("Messages", "the sample data '");
inline constexpr std::string_view SeedFailed2 = QT_TRANSLATE_NOOP("Messages", "' could not be copied to '");
inline constexpr std::string_view UsePerUserFolder1 = QT_TRANSLATE_NOOP("Messages", ".\n\nUse your own data folder '");
inline constexpr std::string_view UsePerUserFolder2 = QT_TRANSLATE_NOOP("Messages", "' instead?");
inline constexpr std::string_view Seeded1 = QT_TRANSLATE_NOOP("Messages", "Moxa copied its sample data to '");
inline constexpr std::string_view Seeded2 = QT_TRANSLATE_NOOP("Messages", "'; your orders, profiles and downloads are kept there.");

// Profiles on saving the settings.
inline constexpr std::string_view ProfilesChanged1 = QT_TRANSLATE_NOOP("Messages", "Profile(s) '");
inline constexpr std::string_view ProfilesChangedMore = ", '";
inline constexpr std::string_view ProfilesChanged2 = QT_TRANSLATE_NOOP("Messages", " have been changed, do you want to save these changes?");
// A changed profile that could not be saved: "Profile 'server:name' ..." (it stays changed).
inline constexpr std::string_view ProfileNotSaved1 = QT_TRANSLATE_NOOP("Messages", "Profile '");
inline constexpr std::string_view ProfileNameUnusable =
    QT_TRANSLATE_NOOP("Messages", "' was not saved: its name cannot be used as a file name (it is empty, \".\", \"..\" or holds \"/\" or \"\\\").");
inline constexpr std::string_view ProfileWriteFailed1 = QT_TRANSLATE_NOOP("Messages", "' could not be saved to '");
inline constexpr std::string_view ProfileWriteFailed2 = "'.";
// The settings could not be written at exit: the reason follows, then the question.
inline constexpr std::string_view SettingsNotSaved = QT_TRANSLATE_NOOP("Messages", "The settings could not be saved.");
inline constexpr std::string_view SettingsExitAnyway = QT_TRANSLATE_NOOP("Messages", "Exit without saving them?");
// Texts of our own: a profile file that ends early is loaded as far as it goes.
inline constexpr const char* ProfileFileDamaged =
    QT_TRANSLATE_NOOP("Messages", "The profile file '%s' is damaged: it ends before its closing </profile> line. Only what "
    "comes before the damage was read, and the file is not saved over unless you agree.");
inline constexpr const char* ProfileDamagedSaveQuestion =
    QT_TRANSLATE_NOOP("Messages", "The profile file '%s' was damaged when it was read, and the profile '%s' holds only what "
    "could be read from it. Replace the file with this profile?"); // path, server:name

// Live update.
inline constexpr std::string_view UpdateInfoUnavailable =
    QT_TRANSLATE_NOOP("Messages", "Unable to access this Site for update information. Please try again when it is available");
inline constexpr std::string_view ReleaseInfoUnavailable =
    QT_TRANSLATE_NOOP("Messages", "Unable to access this Site for release information. Please try again when it is available");
// The archive stage had no message of its own; worded like its two siblings.
inline constexpr std::string_view ArchiveUnavailable =
    QT_TRANSLATE_NOOP("Messages", "Unable to download the database archive from this Site. Please try again when it is available");
inline constexpr std::string_view ClientTooOld1 = QT_TRANSLATE_NOOP("Messages", "Your client '");
inline constexpr std::string_view ClientTooOld2 = QT_TRANSLATE_NOOP("Messages", "' cannot support this update!");
inline constexpr std::string_view ClientUpgradeQuestion =
    QT_TRANSLATE_NOOP("Messages", "This version of Moxa cannot support the latest database revision. Do you want to launch the Moxa Client Upgrade page?");
inline constexpr std::string_view DatabaseInstalled = QT_TRANSLATE_NOOP("Messages", "You have this database already");
inline constexpr std::string_view DatabaseReady = QT_TRANSLATE_NOOP("Messages", "This is a new database ready for downloading");
inline constexpr std::string_view NoSpaceForUpdate =
    QT_TRANSLATE_NOOP("Messages", "There is not enough space on the partition (where Moxa is installed) to install the update.\nPlease free up some space (at least 12Mb) and retry");
inline constexpr std::string_view ResetOrderForUpdate =
    QT_TRANSLATE_NOOP("Messages", "In order to perform the update, the current order must be reset. Proceed?");
inline constexpr const char* TransferProgressSized = QT_TRANSLATE_NOOP("Messages", "%s (%lld/%lld bytes)"); // name, received, expected
inline constexpr const char* TransferProgressUnsized = QT_TRANSLATE_NOOP("Messages", "%s (%lld bytes)");    // name, received
inline constexpr std::string_view Downloading1 = QT_TRANSLATE_NOOP("Messages", "Downloading ");
inline constexpr std::string_view Downloading2 = "...";
inline constexpr std::string_view ExtractingArchive = QT_TRANSLATE_NOOP("Messages", "Extracting database archive...");
inline constexpr std::string_view ExtractionComplete = QT_TRANSLATE_NOOP("Messages", "Extraction complete, starting installation...");
inline constexpr std::string_view InstallationComplete = QT_TRANSLATE_NOOP("Messages", "Installation complete, restarting database...");
inline constexpr std::string_view ConfigurationComplete = QT_TRANSLATE_NOOP("Messages", "Configuration complete.");
inline constexpr std::string_view UpdateArchiveCorrupt = QT_TRANSLATE_NOOP("Messages", "Update failed, database archive is corrupt");
// Of our own, in the same style.
inline constexpr std::string_view UpdateDiskFull = QT_TRANSLATE_NOOP("Messages", "Update failed, the disk is full");
inline constexpr std::string_view UpdateBusy = QT_TRANSLATE_NOOP("Messages", "Update postponed, another Moxa is installing one");
inline constexpr std::string_view UpdateInstalledElsewhere =
    QT_TRANSLATE_NOOP("Messages", "Another Moxa installed this update meanwhile; restart the client to use it");
inline constexpr std::string_view UpdateWindowTitle = QT_TRANSLATE_NOOP("Messages", "Live Update");
inline constexpr std::string_view UpdateServerGroup = QT_TRANSLATE_NOOP("Messages", "Server");
inline constexpr std::string_view CheckForUpdate = QT_TRANSLATE_NOOP("Messages", "Check For Update");
inline constexpr std::string_view StartDownload = QT_TRANSLATE_NOOP("Messages", "Start Download");
inline constexpr std::string_view ReDownload = QT_TRANSLATE_NOOP("Messages", "Re-download");
inline constexpr std::string_view UpdateRevisionGroup = QT_TRANSLATE_NOOP("Messages", "Revision");
inline constexpr std::string_view UpdateVersionLabel = QT_TRANSLATE_NOOP("Messages", "Version");
inline constexpr std::string_view UpdateClientLabel = QT_TRANSLATE_NOOP("Messages", "Client ");
inline constexpr std::string_view UpdateChangeColumn = QT_TRANSLATE_NOOP("Messages", "Change");
inline constexpr std::string_view UpdateAuthorColumn = QT_TRANSLATE_NOOP("Messages", "Author");
inline constexpr std::string_view UpdateOperationColumn = QT_TRANSLATE_NOOP("Messages", "Operation");
inline constexpr std::string_view UpdateClose = QT_TRANSLATE_NOOP("Messages", "Close");
inline constexpr std::string_view UpdateAbort = QT_TRANSLATE_NOOP("Messages", "Abort");
inline constexpr std::string_view UpdateHelpMenu = QT_TRANSLATE_NOOP("Messages", "Help");
inline constexpr std::string_view UpdateHelpItem = QT_TRANSLATE_NOOP("Messages", "Help With Updates");

// Database loading.
inline constexpr std::string_view NoSpaceForRecache =
    QT_TRANSLATE_NOOP("Messages", "There is not enough space on the partition (where Moxa is installed) to recache the database.\nPlease free up some space (at least 12Mb) and retry");
inline constexpr std::string_view CachingInProgress = QT_TRANSLATE_NOOP("Messages", "Caching In Progress");
// A rebuild that finds no formula file would leave an empty database (texts of our own).
inline constexpr const char* NoFormulaFilesKept =
    QT_TRANSLATE_NOOP("Messages", "The database was not rebuilt: there is no formula file in '%s'. The last database is kept.");
inline constexpr const char* NoFormulaFiles =
    QT_TRANSLATE_NOOP("Messages", "The database was not rebuilt: there is no formula file in '%s'. No database is loaded.");

// Links.
inline constexpr std::string_view LinkNotFound = QT_TRANSLATE_NOOP("Messages", "Error - Cannot Find Requested Link");

// Orders.
inline constexpr std::string_view OrderVersionUnsupported = QT_TRANSLATE_NOOP("Messages", "Sorry, Moxa doesn't support this version of the order file");
inline constexpr std::string_view ClearOrderQuestion = QT_TRANSLATE_NOOP("Messages", "Do you really want to clear this order?");
// Asked before an unsaved order would be lost (closing, opening another, recaching):
// Save, Discard or Cancel.
inline constexpr std::string_view UnsavedOrder1 = QT_TRANSLATE_NOOP("Messages", "Do you want to save the changes to the order '");
inline constexpr std::string_view UnsavedOrder2 = "'?";
// Texts of our own: order files that cannot be read, or end early.
inline constexpr const char* OrderFileProblem = QT_TRANSLATE_NOOP("Messages", "The order file '%s' %s."); // path, "is a folder, not a file"
inline constexpr const char* OrderFileDamaged =
    QT_TRANSLATE_NOOP("Messages", "The order file '%s' is damaged: it ends before its closing </order> line. Only what comes "
    "before the damage was read, and the file is not saved over unless you agree.");
inline constexpr const char* OrderDamagedSaveQuestion =
    QT_TRANSLATE_NOOP("Messages", "The order file '%s' was damaged when it was opened, and this order holds only what could be "
    "read from it. Replace the file with this order?");
// Reports: a sub-component tree too large to list.
inline constexpr const char* SubcomponentsTooMany =
    QT_TRANSLATE_NOOP("Messages", "The sub-components are too many to show (more than %lld rows, or more than %d levels deep). "
    "Choose \"Show Components\" or \"Show Base Resource\" instead."); // rows, levels
// Reports: base resources along too many paths to work out.
inline constexpr const char* BaseResourcesTooMany =
    QT_TRANSLATE_NOOP("Messages", "The base resources take more than %lld steps to work out: the formulae lead to each other "
    "along too many paths. Choose \"Show Components\" instead."); // steps

// The order creation wizard.
inline constexpr std::string_view WizardTypeCraft = QT_TRANSLATE_NOOP("Messages", "Craft");
inline constexpr std::string_view WizardTypeAdventure = QT_TRANSLATE_NOOP("Messages", "Adventure");
inline constexpr const char* WizardUnknownSet =
    QT_TRANSLATE_NOOP("Messages", "The template '%s' names the formula set '%s', which the database does not have."); // template, set
inline constexpr const char* WizardSetEmpty = QT_TRANSLATE_NOOP("Messages", "No formula of the set '%s' matches '%s' at %s."); // set, filter, tiers
inline constexpr const char* WizardUnknownTechnique =
    QT_TRANSLATE_NOOP("Messages", "The template '%s' names the technique '%s', which the database does not have."); // template, technique
inline constexpr const char* WizardNothing = QT_TRANSLATE_NOOP("Messages", "The template '%s' gives no formula at %s: no order was made.");
inline constexpr const char* WizardFileProblem = QT_TRANSLATE_NOOP("Messages", "The wizard template file '%s' cannot be used: %s."); // file, reason
inline constexpr std::string_view WizardFileNoWizard = QT_TRANSLATE_NOOP("Messages", "it holds no wizard template");
inline constexpr std::string_view WizardFileNoSchool = QT_TRANSLATE_NOOP("Messages", "it names no school or school type");
inline constexpr std::string_view WizardFileNoSets = QT_TRANSLATE_NOOP("Messages", "it names no formula sets");
// The wizard's windows.
inline constexpr std::string_view MenuNewFromTemplate = QT_TRANSLATE_NOOP("Messages", "New Order from &Template...");
inline constexpr std::string_view ButtonWizard = QT_TRANSLATE_NOOP("Messages", "Wizard");
inline constexpr std::string_view TipWizard = QT_TRANSLATE_NOOP("Messages", "Builds a new order from a template for your character (Ctrl+T)");
inline constexpr std::string_view WizardTitle = QT_TRANSLATE_NOOP("Messages", "New Order from Template");
inline constexpr std::string_view WizardWhoTitle = QT_TRANSLATE_NOOP("Messages", "Who is the order for?");
inline constexpr std::string_view WizardWhoText =
    QT_TRANSLATE_NOOP("Messages", "Choose one of your characters, or describe one, then a template that fits.");
inline constexpr std::string_view WizardProfile = QT_TRANSLATE_NOOP("Messages", "A character profile");
inline constexpr std::string_view WizardByHand = QT_TRANSLATE_NOOP("Messages", "Chosen by hand");
inline constexpr std::string_view WizardRace = QT_TRANSLATE_NOOP("Messages", "Race");
inline constexpr std::string_view WizardSchoolType = QT_TRANSLATE_NOOP("Messages", "School type");
inline constexpr std::string_view WizardSchool = QT_TRANSLATE_NOOP("Messages", "School");
inline constexpr std::string_view WizardLevel = QT_TRANSLATE_NOOP("Messages", "Level");
inline constexpr std::string_view WizardAny = QT_TRANSLATE_NOOP("Messages", "Any");
inline constexpr std::string_view WizardTemplates = QT_TRANSLATE_NOOP("Messages", "Templates");
inline constexpr std::string_view WizardNoTemplate = QT_TRANSLATE_NOOP("Messages", "No template fits this character.");
inline constexpr const char* WizardTemplateEntry = "%s - %s"; // template, tiers
inline constexpr std::string_view WizardWhatTitle = QT_TRANSLATE_NOOP("Messages", "What to make");
inline constexpr std::string_view WizardWhatText =
    QT_TRANSLATE_NOOP("Messages", "Tick the formula sets and formulae to make; choose their tiers and batches.");
inline constexpr std::string_view WizardFormulaColumn = QT_TRANSLATE_NOOP("Messages", "Formula");
inline constexpr std::string_view WizardTierColumn = QT_TRANSLATE_NOOP("Messages", "Tier");
inline constexpr std::string_view WizardBatchesColumn = QT_TRANSLATE_NOOP("Messages", "Batches");
inline constexpr std::string_view WizardSetUnknown = QT_TRANSLATE_NOOP("Messages", " (not in the database)");
inline constexpr std::string_view WizardSetNothing = QT_TRANSLATE_NOOP("Messages", " (nothing the character can work)");
inline constexpr std::string_view WizardHowTitle = QT_TRANSLATE_NOOP("Messages", "Techniques and summary");
inline constexpr std::string_view WizardHowText =
    QT_TRANSLATE_NOOP("Messages", "Tick the techniques each item should take. Finish makes the order.");
inline constexpr std::string_view WizardNoTechnique = QT_TRANSLATE_NOOP("Messages", "No technique of the template fits this tier");
inline constexpr std::string_view WizardReplace = QT_TRANSLATE_NOOP("Messages", "Replace the current order");
inline constexpr std::string_view WizardAppend = QT_TRANSLATE_NOOP("Messages", "Add to the current order");
inline constexpr std::string_view WizardReplaceQuestion =
    QT_TRANSLATE_NOOP("Messages", "The current order has changes that are not saved. Replace it with the new order?");
inline constexpr const char* WizardSummaryHead = QT_TRANSLATE_NOOP("Messages", "Items: %d, groups: %d"); // items, groups
// The editing menus.
inline constexpr std::string_view MenuEdit = QT_TRANSLATE_NOOP("Messages", "&Edit");
inline constexpr std::string_view MenuRecentOrders = QT_TRANSLATE_NOOP("Messages", "Recent Orders");
inline constexpr std::string_view MenuNoRecentOrders = QT_TRANSLATE_NOOP("Messages", "(none)");
inline constexpr std::string_view MenuPasteList = QT_TRANSLATE_NOOP("Messages", "Paste List");
inline constexpr std::string_view FormulaQuickFilter = QT_TRANSLATE_NOOP("Messages", "Type to filter by name or keyword");
// A pasted list of items.
inline constexpr std::string_view PasteUnmatched = QT_TRANSLATE_NOOP("Messages", "These lines name no formula and were not added:");
inline constexpr std::string_view PasteTechniquesDropped =
    QT_TRANSLATE_NOOP("Messages", "These techniques were not found or do not fit the item's tier, and were left out:");
inline constexpr const char* PasteComponentLines = QT_TRANSLATE_NOOP("Messages", "%d component lines of a report were left out.");
inline constexpr std::string_view PasteGroup = QT_TRANSLATE_NOOP("Messages", "Pasted Items"); // when no group is selected
inline constexpr const char* PasteClamped = QT_TRANSLATE_NOOP("Messages", "These lines ask for more than %d batches and were given %d:");
inline constexpr std::string_view PasteUtf16 =
    QT_TRANSLATE_NOOP("Messages", "The list is UTF-16 text, which Moxa does not read: save it as plain text (ISO-8859-1 or UTF-8) "
    "and try again. Nothing was added.");
inline constexpr const char* PasteNulBytes =
    QT_TRANSLATE_NOOP("Messages", "The list holds NUL bytes (line %d), so it is not plain text. Nothing was added.");
// Undo and redo of order edits: "Undo Rename Group".
inline constexpr std::string_view UndoPrefix = QT_TRANSLATE_NOOP("Messages", "Undo");
inline constexpr std::string_view RedoPrefix = QT_TRANSLATE_NOOP("Messages", "Redo");
inline constexpr std::string_view EditAddItem = QT_TRANSLATE_NOOP("Messages", "Add Item");
inline constexpr std::string_view EditIncreaseQty = QT_TRANSLATE_NOOP("Messages", "Increase Qty");
inline constexpr std::string_view EditChooseTier = QT_TRANSLATE_NOOP("Messages", "Choose Tier");
inline constexpr std::string_view EditAddTechnique = QT_TRANSLATE_NOOP("Messages", "Add Technique");
inline constexpr std::string_view EditRemoveTechnique = QT_TRANSLATE_NOOP("Messages", "Remove Technique");
inline constexpr std::string_view EditDelete = QT_TRANSLATE_NOOP("Messages", "Delete");
inline constexpr std::string_view EditRenameGroup = QT_TRANSLATE_NOOP("Messages", "Rename Group");
inline constexpr std::string_view EditRenameItem = QT_TRANSLATE_NOOP("Messages", "Rename Item");
inline constexpr std::string_view EditMoveItem = QT_TRANSLATE_NOOP("Messages", "Move Item");
inline constexpr std::string_view EditSetBatches = QT_TRANSLATE_NOOP("Messages", "Set Batches");
inline constexpr std::string_view EditNewGroup = QT_TRANSLATE_NOOP("Messages", "New Group");
inline constexpr std::string_view EditCopyItem = QT_TRANSLATE_NOOP("Messages", "Copy Item");
inline constexpr std::string_view EditAlignTiers = QT_TRANSLATE_NOOP("Messages", "Align Tiers");
inline constexpr std::string_view EditAcquired = QT_TRANSLATE_NOOP("Messages", "Acquired Count");
inline constexpr std::string_view EditWizard = QT_TRANSLATE_NOOP("Messages", "Order Wizard");
inline constexpr std::string_view EditPaste = QT_TRANSLATE_NOOP("Messages", "Paste");
inline constexpr std::string_view EditOrder = QT_TRANSLATE_NOOP("Messages", "Edit Order");
// Recent orders.
inline constexpr const char* RecentOrderMissing = QT_TRANSLATE_NOOP("Messages", "The order file '%s' no longer exists and was taken off the recent orders.");

// The toolbar window.
inline constexpr std::string_view ToolbarCaption = QT_TRANSLATE_NOOP("Messages", "Moxa");
inline constexpr std::string_view CaptionVersion1 = QT_TRANSLATE_NOOP("Messages", "Moxa v");
inline constexpr std::string_view CaptionRevision1 = QT_TRANSLATE_NOOP("Messages", " (Database Revision: ");
inline constexpr std::string_view CaptionRevision2 = ")";
inline constexpr std::string_view DatabaseLabelDefault = QT_TRANSLATE_NOOP("Messages", "DB: Default");
inline constexpr std::string_view DatabaseLabel1 = QT_TRANSLATE_NOOP("Messages", "DB: ");
inline constexpr std::string_view LabelOrders = QT_TRANSLATE_NOOP("Messages", "Orders");
inline constexpr std::string_view LabelDatabase = QT_TRANSLATE_NOOP("Messages", "Database");
inline constexpr std::string_view LabelOnline = QT_TRANSLATE_NOOP("Messages", "Moxa Online");
inline constexpr std::string_view Autodock = QT_TRANSLATE_NOOP("Messages", "Autodock");
inline constexpr std::string_view ButtonOrder = QT_TRANSLATE_NOOP("Messages", "Order");
inline constexpr std::string_view ButtonReports = QT_TRANSLATE_NOOP("Messages", "Reports");
inline constexpr std::string_view ButtonFormulae = QT_TRANSLATE_NOOP("Messages", "Formulae");
inline constexpr std::string_view ButtonTechniques = QT_TRANSLATE_NOOP("Messages", "Techniques");
inline constexpr std::string_view ButtonComponents = QT_TRANSLATE_NOOP("Messages", "Components");
inline constexpr std::string_view ButtonProfiles = QT_TRANSLATE_NOOP("Messages", "Profiles");
inline constexpr std::string_view ButtonLiveUpdate = QT_TRANSLATE_NOOP("Messages", "Live Update");
inline constexpr std::string_view TipOrder = QT_TRANSLATE_NOOP("Messages", "Toggles the display of items associated with this order (F1)");
inline constexpr std::string_view TipReports = QT_TRANSLATE_NOOP("Messages", "Toggles the Report screen (F2)");
inline constexpr std::string_view TipFormulae = QT_TRANSLATE_NOOP("Messages", "Toggles the Formulae database (F3)");
inline constexpr std::string_view TipTechniques = QT_TRANSLATE_NOOP("Messages", "Toggles the Technique database (F4)");
inline constexpr std::string_view TipComponents = QT_TRANSLATE_NOOP("Messages", "Toggles the Component database (F5)");
inline constexpr std::string_view TipProfiles = QT_TRANSLATE_NOOP("Messages", "Toggles the Profile Manager (F6)");
inline constexpr std::string_view TipLiveUpdate = QT_TRANSLATE_NOOP("Messages", "Performs a Live Update on the database (F7)");
inline constexpr std::string_view RecacheQuestion =
    QT_TRANSLATE_NOOP("Messages", "Recaching of the database should be done if you've manually updated the database,\n"
    "or the database is corrupt, or if icons appear incorrectly. There is no danger in\n"
    "performing a recache, just that it may take some time.\n\n"
    "Do you really want to reload all configuration data (This will clear the current order)?");
inline constexpr std::string_view MenuFile = QT_TRANSLATE_NOOP("Messages", "&File");
inline constexpr std::string_view MenuNewOrder = QT_TRANSLATE_NOOP("Messages", "&New Order...");
inline constexpr std::string_view MenuOpenOrder = QT_TRANSLATE_NOOP("Messages", "&Open Order...");
inline constexpr std::string_view MenuSaveOrder = QT_TRANSLATE_NOOP("Messages", "&Save Order");
inline constexpr std::string_view MenuSaveOrderAs = QT_TRANSLATE_NOOP("Messages", "Save Order  &As...");
inline constexpr std::string_view MenuPrint = QT_TRANSLATE_NOOP("Messages", "&Print...");
inline constexpr std::string_view MenuExit = QT_TRANSLATE_NOOP("Messages", "E&xit");
inline constexpr std::string_view MenuOptions = QT_TRANSLATE_NOOP("Messages", "&Options");
inline constexpr std::string_view MenuAlwaysOnTop = QT_TRANSLATE_NOOP("Messages", "Always On Top");
inline constexpr std::string_view MenuView = QT_TRANSLATE_NOOP("Messages", "View");
inline constexpr std::string_view MenuWindow = QT_TRANSLATE_NOOP("Messages", "Window");
inline constexpr std::string_view MenuAllWindows = QT_TRANSLATE_NOOP("Messages", "All Windows");
inline constexpr std::string_view MenuRememberAll = QT_TRANSLATE_NOOP("Messages", "Remember All Positions");
inline constexpr std::string_view MenuRestoreAll = QT_TRANSLATE_NOOP("Messages", "Restore All Positions");
inline constexpr std::string_view MenuToolbar = QT_TRANSLATE_NOOP("Messages", "Toolbar");
inline constexpr std::string_view MenuFormulaDatabase = QT_TRANSLATE_NOOP("Messages", "Formulae Database");
inline constexpr std::string_view MenuTechniqueDatabase = QT_TRANSLATE_NOOP("Messages", "Technique Database");
inline constexpr std::string_view MenuComponentDatabase = QT_TRANSLATE_NOOP("Messages", "Component Database");
inline constexpr std::string_view MenuProfileManager = QT_TRANSLATE_NOOP("Messages", "Profile Manager");
inline constexpr std::string_view MenuRememberPosition = QT_TRANSLATE_NOOP("Messages", "Remember Position");
inline constexpr std::string_view MenuRestorePosition = QT_TRANSLATE_NOOP("Messages", "Restore Saved Position");
inline constexpr std::string_view MenuOrientation = QT_TRANSLATE_NOOP("Messages", "Orientation");
inline constexpr std::string_view MenuVertical = QT_TRANSLATE_NOOP("Messages", "Vertical");
inline constexpr std::string_view MenuHorizontal = QT_TRANSLATE_NOOP("Messages", "Horizontal");
inline constexpr std::string_view MenuSettings = QT_TRANSLATE_NOOP("Messages", "Settings");
inline constexpr std::string_view MenuConfiguration = QT_TRANSLATE_NOOP("Messages", "Configuration...");
inline constexpr std::string_view MenuRecache = QT_TRANSLATE_NOOP("Messages", "Recache Database");
inline constexpr std::string_view MenuRefreshTheme = QT_TRANSLATE_NOOP("Messages", "Refresh Theme");
inline constexpr std::string_view MenuHelp = QT_TRANSLATE_NOOP("Messages", "&Help");
inline constexpr std::string_view MenuOfficialSite = QT_TRANSLATE_NOOP("Messages", "Official Website");
inline constexpr std::string_view MenuOnlineManual = QT_TRANSLATE_NOOP("Messages", "Online Manual");
inline constexpr std::string_view MenuReportBug = QT_TRANSLATE_NOOP("Messages", "Report a Bug");
inline constexpr std::string_view MenuAbout = QT_TRANSLATE_NOOP("Messages", "About...");
inline constexpr std::string_view LinkOfficialSite = "officialsite";
inline constexpr std::string_view LinkOnlineManual = "onlinemanual";
inline constexpr std::string_view AboutTitle = QT_TRANSLATE_NOOP("Messages", "About Moxa");
inline constexpr std::string_view AboutLicence = QT_TRANSLATE_NOOP("Messages", "\nFree software under the MIT licence.");
inline constexpr std::string_view AboutDataFolder = QT_TRANSLATE_NOOP("Messages", "\n\nData folder: ");
inline constexpr std::string_view AboutSettingsFile = QT_TRANSLATE_NOOP("Messages", "\nSettings file: ");
inline constexpr std::string_view AboutHomepage = QT_TRANSLATE_NOOP("Messages", "\n\nHomepage: ");
inline constexpr std::string_view AboutReportBugs = QT_TRANSLATE_NOOP("Messages", "\nReport bugs: ");
inline constexpr std::string_view AboutNoDocking =
    QT_TRANSLATE_NOOP("Messages", "\n\nThis Wayland session places windows itself, so tool windows do not dock and saved "
    "positions are not restored. Started with an X server at hand (DISPLAY), Moxa uses it and docks.");

// The configuration dialog.
inline constexpr std::string_view ConfigTitle = QT_TRANSLATE_NOOP("Messages", "Configuration");
inline constexpr std::string_view ConfigHotkeysUnavailable = QT_TRANSLATE_NOOP("Messages", " (unavailable on this desktop)");
inline constexpr std::string_view ConfigHotkeysTaken = QT_TRANSLATE_NOOP("Messages", " (taken by another program: ");
inline constexpr std::string_view ConfigGamePath = QT_TRANSLATE_NOOP("Messages", "Tellurin Installation Path");
inline constexpr std::string_view ConfigBrowse = QT_TRANSLATE_NOOP("Messages", "Browse...");
inline constexpr std::string_view ConfigBrowseTitle = QT_TRANSLATE_NOOP("Messages", "Please select the Tellurin Installation folder.");
inline constexpr std::string_view ConfigIcons = QT_TRANSLATE_NOOP("Messages", "Display Game Icons?");
inline constexpr std::string_view ConfigIconSize = QT_TRANSLATE_NOOP("Messages", "Icon Size");
inline constexpr std::string_view ConfigSticky = QT_TRANSLATE_NOOP("Messages", "Sticky Strength");
inline constexpr std::string_view ConfigTheme = QT_TRANSLATE_NOOP("Messages", "Theme");
inline constexpr std::string_view ConfigCache = QT_TRANSLATE_NOOP("Messages", "Caching Enabled (Recommended)");
inline constexpr std::string_view ConfigPriority = QT_TRANSLATE_NOOP("Messages", "Above Normal Priority?");
inline constexpr std::string_view ConfigHotkeys = QT_TRANSLATE_NOOP("Messages", "Global Hotkeys?");
inline constexpr std::string_view ConfigRequiresRestart = QT_TRANSLATE_NOOP("Messages", "(Requires Restart)");
inline constexpr std::string_view ConfigDrag = QT_TRANSLATE_NOOP("Messages", "Drag With Toolbar?");
inline constexpr std::string_view ConfigGameText =
    QT_TRANSLATE_NOOP("Messages", "Moxa needs to know the location of the Tellurin game files. These are used to generate the icons within the application, otherwise no game related icons will be displayed.");
inline constexpr std::string_view ConfigIconsText =
    QT_TRANSLATE_NOOP("Messages", "Icons are used to represent formulas and techniques. Not loading them can reduce memory load for low end machines. You can also specify their size to suit your preferences.");
inline constexpr std::string_view ConfigCacheText =
    QT_TRANSLATE_NOOP("Messages", "Caching allows all the loaded XML/Icons files to be stored in a format more easily parsed by Moxa. Enabling caching will result in a much faster startup.");
inline constexpr std::string_view ConfigHelp = QT_TRANSLATE_NOOP("Messages", "Help With Configuration");
inline constexpr std::string_view ConfigHelpLink = "optionwindow";
inline constexpr std::string_view ConfigRecacheQuestion =
    QT_TRANSLATE_NOOP("Messages", "In order for these changes to take effect, the database must be recached, this may take some time and will reset any current order. Proceed now, or perform on next start?");

// The order window.
inline constexpr std::string_view OrderWindowTitle = QT_TRANSLATE_NOOP("Messages", "Orders");
inline constexpr std::string_view OrderCurrentGroup = QT_TRANSLATE_NOOP("Messages", "Current Order");
inline constexpr std::string_view OrderDelete = QT_TRANSLATE_NOOP("Messages", "Delete...");
inline constexpr std::string_view OrderNewGroup = QT_TRANSLATE_NOOP("Messages", "New Group");
inline constexpr std::string_view OrderTechColumn = QT_TRANSLATE_NOOP("Messages", "Tech");
inline constexpr std::string_view OrderCopyToClipboard = QT_TRANSLATE_NOOP("Messages", "Copy To Clipboard");
inline constexpr std::string_view OrderAlignTiers = QT_TRANSLATE_NOOP("Messages", "Align Tiers");
inline constexpr std::string_view OrderCopy = QT_TRANSLATE_NOOP("Messages", "Copy");
inline constexpr std::string_view TipAlignTiers = QT_TRANSLATE_NOOP("Messages", "Gives the ticked items of the selected item's formula its tier");
inline constexpr std::string_view TipCopyItem = QT_TRANSLATE_NOOP("Messages", "Adds a copy of the selected item to its group");
inline constexpr std::string_view MenuSelection = QT_TRANSLATE_NOOP("Messages", "Selection");
inline constexpr std::string_view MenuSelectNone = QT_TRANSLATE_NOOP("Messages", "Select None");
inline constexpr std::string_view MenuSelectAll = QT_TRANSLATE_NOOP("Messages", "Select All");
inline constexpr std::string_view MenuInvertSelection = QT_TRANSLATE_NOOP("Messages", "Invert Selection");
inline constexpr std::string_view MenuCopySelected = QT_TRANSLATE_NOOP("Messages", "Copy Selected To Clipboard");
inline constexpr std::string_view NewGroupTitle = QT_TRANSLATE_NOOP("Messages", "Please enter the Group name");
inline constexpr std::string_view NewGroupLabel = QT_TRANSLATE_NOOP("Messages", "New Group Name");
inline constexpr std::string_view DeleteGroupQuestion1 = QT_TRANSLATE_NOOP("Messages", "Do you really want to delete the group '");
inline constexpr std::string_view DeleteGroupQuestion2 = "'?";
inline constexpr std::string_view OrderHelp = QT_TRANSLATE_NOOP("Messages", "Help With Orders");
inline constexpr std::string_view OrderHelpLink = "orderwindow";
inline constexpr std::string_view OrderFileFilter = QT_TRANSLATE_NOOP("Messages", "XML Files (*.xml)");
// "Align Tiers" in the order window's status line.
inline constexpr const char* AlignNoSelection = QT_TRANSLATE_NOOP("Messages", "Select the item whose tier the ticked items take");
inline constexpr const char* AlignNothingTicked = QT_TRANSLATE_NOOP("Messages", "Tick the items that take the selected item's tier");
inline constexpr const char* AlignNoSameFormula = QT_TRANSLATE_NOOP("Messages", "No other ticked item is a %s"); // formula
inline constexpr const char* AlignAlreadyAligned = QT_TRANSLATE_NOOP("Messages", "Every ticked %s is already %s"); // formula, tier
inline constexpr const char* AlignDone = QT_TRANSLATE_NOOP("Messages", "%d ticked %s set to %s"); // count, formula, tier
// The group an added item goes to when the order has none.
inline constexpr std::string_view DefaultGroupName = QT_TRANSLATE_NOOP("Messages", "Items");
// Formats: the numbers are 64-bit where batches multiply.
inline constexpr const char* ItemLabelFormat = "%lld x %s";              // made, item name
inline constexpr const char* BatchesLabelFormat = QT_TRANSLATE_NOOP("Messages", "batches x %d per batch = %lld"); // per batch, made
// A save that did not reach the disk (the order stays marked modified).
inline constexpr std::string_view OrderNotSaved1 = QT_TRANSLATE_NOOP("Messages", "The order could not be saved to '");
inline constexpr std::string_view OrderNotSaved2 = "'.";
inline constexpr std::string_view OrderChangedOnDisk1 = QT_TRANSLATE_NOOP("Messages", "Another program has saved '");
inline constexpr std::string_view OrderChangedOnDisk2 = QT_TRANSLATE_NOOP("Messages", "' since this order was opened or saved. Overwrite it with this order?");

// The reports window.
inline constexpr std::string_view ReportContentAll = QT_TRANSLATE_NOOP("Messages", "Order & Comps");
inline constexpr std::string_view ReportContentOrder = QT_TRANSLATE_NOOP("Messages", "Order Only");
inline constexpr std::string_view ReportContentComponents = QT_TRANSLATE_NOOP("Messages", "Components Only");
inline constexpr std::string_view ReportContentBonuses = QT_TRANSLATE_NOOP("Messages", "Bonuses");
inline constexpr std::string_view ReportFormatLabel = QT_TRANSLATE_NOOP("Messages", "Format");
inline constexpr std::string_view ReportFormatDirect = QT_TRANSLATE_NOOP("Messages", "Direct");
inline constexpr std::string_view ReportFormatHtml = QT_TRANSLATE_NOOP("Messages", "HTML");
inline constexpr std::string_view ReportFormatClipboard = QT_TRANSLATE_NOOP("Messages", "Clipboard");
inline constexpr std::string_view ReportGenerate = QT_TRANSLATE_NOOP("Messages", "Generate");
// The components' third column in the window, where the acquired counts are typed.
inline constexpr std::string_view ReportAcquiredHeading = QT_TRANSLATE_NOOP("Messages", "Acquired/Quantity");
inline constexpr std::string_view MenuReportOptions = QT_TRANSLATE_NOOP("Messages", "Options");
inline constexpr std::string_view MenuSortBy = QT_TRANSLATE_NOOP("Messages", "Sort By");
inline constexpr std::string_view MenuSortName = QT_TRANSLATE_NOOP("Messages", "Component Name");
inline constexpr std::string_view MenuSortQuantity = QT_TRANSLATE_NOOP("Messages", "Quantity Required");
inline constexpr std::string_view MenuBreakdown = QT_TRANSLATE_NOOP("Messages", "Breakdown");
inline constexpr std::string_view MenuShowComponents = QT_TRANSLATE_NOOP("Messages", "Show Components");
inline constexpr std::string_view MenuShowSubcomponents = QT_TRANSLATE_NOOP("Messages", "Show Subcomponents");
inline constexpr std::string_view MenuShowBase = QT_TRANSLATE_NOOP("Messages", "Show Base Resource");
inline constexpr std::string_view MenuBonuses = QT_TRANSLATE_NOOP("Messages", "Bonuses");
inline constexpr std::string_view MenuDirectOnly = QT_TRANSLATE_NOOP("Messages", "Direct Only");
inline constexpr std::string_view MenuIncludeIndirect = QT_TRANSLATE_NOOP("Messages", "Include Indirect");
inline constexpr std::string_view ReportHelp = QT_TRANSLATE_NOOP("Messages", "Help With Reports");
inline constexpr std::string_view ReportHelpLink = "reportwindow";
inline constexpr const char* ReportsTitleFormat = QT_TRANSLATE_NOOP("Messages", "Reports - %d of %d Selected"); // selected, items
inline constexpr const char* HtmlNotWritten = QT_TRANSLATE_NOOP("Messages", "The report could not be written to:\n%s"); // path
inline constexpr const char* HtmlNotOpened =
    QT_TRANSLATE_NOOP("Messages", "No browser could be opened to show the report.\nThe page was written to:\n%s"); // path
// What is left to make and gather, and the characters side by side.
inline constexpr std::string_view ReportContentPlan = QT_TRANSLATE_NOOP("Messages", "Plan");
inline constexpr std::string_view ReportFormatCsv = QT_TRANSLATE_NOOP("Messages", "CSV");
inline constexpr std::string_view ReportFormatJson = QT_TRANSLATE_NOOP("Messages", "JSON");
inline constexpr std::string_view MenuGroupByLocation = QT_TRANSLATE_NOOP("Messages", "Group Gathering by Location");
inline constexpr std::string_view MenuCompareCharacters = QT_TRANSLATE_NOOP("Messages", "Compare Characters...");
inline constexpr std::string_view CompareCharactersTitle = QT_TRANSLATE_NOOP("Messages", "Compare Characters");
inline constexpr std::string_view MenuMarkDone = QT_TRANSLATE_NOOP("Messages", "Mark Acquired as Done");
inline constexpr std::string_view CsvFilter = QT_TRANSLATE_NOOP("Messages", "CSV Files (*.csv)");
inline constexpr std::string_view JsonFilter = QT_TRANSLATE_NOOP("Messages", "JSON Files (*.json)");
inline constexpr const char* ExportNotWritten = QT_TRANSLATE_NOOP("Messages", "The report could not be written to '%s'.");
inline constexpr const char* ExportWritten = QT_TRANSLATE_NOOP("Messages", "The report was written to '%s'.");
inline constexpr std::string_view AcquiredNotANumber = QT_TRANSLATE_NOOP("Messages", "Enter the acquired count as a whole number of 0 or more.");
// The player's prices and what the order's items earn.
inline constexpr std::string_view MenuPrices = QT_TRANSLATE_NOOP("Messages", "Prices...");
inline constexpr std::string_view MenuMargins = QT_TRANSLATE_NOOP("Messages", "Margins...");
inline constexpr std::string_view MarginsTitle = QT_TRANSLATE_NOOP("Messages", "Margins");
inline constexpr std::string_view PricesTitle = QT_TRANSLATE_NOOP("Messages", "Prices");
inline constexpr std::string_view ButtonPrices = QT_TRANSLATE_NOOP("Messages", "Prices");
inline constexpr std::string_view TipPrices = QT_TRANSLATE_NOOP("Messages", "What each name costs, for the plan's costs and the margins");
inline constexpr std::string_view PricesSearch = QT_TRANSLATE_NOOP("Messages", "Search:");
inline constexpr std::string_view PricesImport = QT_TRANSLATE_NOOP("Messages", "Import...");
inline constexpr std::string_view PricesExport = QT_TRANSLATE_NOOP("Messages", "Export...");
inline constexpr std::string_view PriceColumnName = QT_TRANSLATE_NOOP("Messages", "Name");
inline constexpr std::string_view PriceColumnPrice = QT_TRANSLATE_NOOP("Messages", "Price");
inline constexpr const char* PricesShown = QT_TRANSLATE_NOOP("Messages", "%d of %d names, %d priced"); // shown, names, priced
inline constexpr std::string_view PriceNotANumber =
    QT_TRANSLATE_NOOP("Messages", "Enter the price in coins, such as 12 or 3.50, or leave the cell empty for no price.");
inline constexpr const char* PricesNotSaved = QT_TRANSLATE_NOOP("Messages", "The prices could not be saved to '%s'."); // path
inline constexpr const char* PricesNotRead = QT_TRANSLATE_NOOP("Messages", "The price list could not be read: %s."); // reason
inline constexpr const char* PricesSkipped = QT_TRANSLATE_NOOP("Messages", "Some lines of the price list were not used:\n%s"); // lines

// The formula browser.
inline constexpr std::string_view CategoryAll = QT_TRANSLATE_NOOP("Messages", "All");
inline constexpr std::string_view CategoryCustom = QT_TRANSLATE_NOOP("Messages", "Custom");
inline constexpr const char* TreeCategoryLabel = "%s (%d/%d)"; // category, shown, total
inline constexpr const char* FormulaeFound = QT_TRANSLATE_NOOP("Messages", "%d Formulae");
inline constexpr std::string_view FoundFiltered = QT_TRANSLATE_NOOP("Messages", " (Filtered)");
inline constexpr std::string_view RaceKhutit = "Khutit";
inline constexpr std::string_view RaceHuman = "Human";
inline constexpr std::string_view GridNone = QT_TRANSLATE_NOOP("Messages", "None");
inline constexpr std::string_view AddItem = QT_TRANSLATE_NOOP("Messages", "Add Item");
inline constexpr std::string_view IncreaseQty = QT_TRANSLATE_NOOP("Messages", "Increase Qty");
inline constexpr const char* TierTooFewSlots =
    QT_TRANSLATE_NOOP("Messages", "This tier of the Formula '%s' can only take %d techniques.\nPlease remove any excess techniques and try again");
inline constexpr const char* TechniqueTierMissing = QT_TRANSLATE_NOOP("Messages", "Error - Cannot find the tier '%s' for the technique '%s'");
inline constexpr const char* TierCannotTake = QT_TRANSLATE_NOOP("Messages", "This tier of the Formula '%s' cannot take '%s'.\nPlease remove it and try again");
// Attaching from the technique browser.
inline constexpr const char* TechniqueNoSlots =
    QT_TRANSLATE_NOOP("Messages", "This tier of the Formula '%s' has no room for '%s': it can only take %d techniques.");
// The resource grid's cells: an efficiency, the need below the minimum (at the minimum ->
// at the optimum), and what a technique's component shows in the other columns.
inline constexpr const char* EfficiencyFormat = "%d%%";
inline constexpr std::string_view TooLow = QT_TRANSLATE_NOOP("Messages", "Too Low");
inline constexpr const char* TooLowNeedFormat = "%lld->%lld";
inline constexpr std::string_view TechniqueResourceSkill = QT_TRANSLATE_NOOP("Messages", "(technique)");
inline constexpr std::string_view NoValue = "-";
// The technique browser.
inline constexpr std::string_view TechniqueWindowTitle = QT_TRANSLATE_NOOP("Messages", "Technique Database");
inline constexpr std::string_view TechniqueCategoriesLabel = QT_TRANSLATE_NOOP("Messages", "Available Categories");
inline constexpr const char* TechniquesFound = QT_TRANSLATE_NOOP("Messages", "%d Techniques");
inline constexpr std::string_view TechniquesUsable = QT_TRANSLATE_NOOP("Messages", " (Usable)");
inline constexpr std::string_view TechniqueApply = QT_TRANSLATE_NOOP("Messages", "Apply");
inline constexpr std::string_view TechniqueFilterFormulae = QT_TRANSLATE_NOOP("Messages", "Filter Formulae By Technique");
inline constexpr std::string_view TechniqueShowUsable = QT_TRANSLATE_NOOP("Messages", "Show Usable Techniques Only");
inline constexpr std::string_view TechniqueHelp = QT_TRANSLATE_NOOP("Messages", "Help With Techniques");
inline constexpr std::string_view TechniqueItemLabel = QT_TRANSLATE_NOOP("Messages", "Item");
inline constexpr std::string_view TechniqueNoItem = QT_TRANSLATE_NOOP("Messages", "None chosen in the Formula Database");
inline constexpr const char* TechniqueItemFormat = QT_TRANSLATE_NOOP("Messages", "%s (%s), %d of %d technique slots used"); // product, tier
inline constexpr std::string_view TechniqueTierLabel = QT_TRANSLATE_NOOP("Messages", "Tier");
inline constexpr std::string_view TechniqueLevelLabel = QT_TRANSLATE_NOOP("Messages", "Level");
inline constexpr std::string_view TechniqueOriginLabel = QT_TRANSLATE_NOOP("Messages", "Origin");
inline constexpr std::string_view TechniqueSkillAdjustLabel = QT_TRANSLATE_NOOP("Messages", "Skill Adjust");
inline constexpr std::string_view TechniqueUsageAdjustLabel = QT_TRANSLATE_NOOP("Messages", "Usage Adjust");
inline constexpr std::string_view TechniqueSizeLabel = QT_TRANSLATE_NOOP("Messages", "Size");
inline constexpr std::string_view TechniqueBonusLabel = QT_TRANSLATE_NOOP("Messages", "Bonus");
inline constexpr std::string_view TechniqueComponentsLabel = QT_TRANSLATE_NOOP("Messages", "Components");
inline constexpr const char* TechniqueComponentFormat = "%d x %s"; // quantity, component
inline constexpr std::string_view TechniqueApplyNoItem =
    QT_TRANSLATE_NOOP("Messages", "Please choose a formula and its tier in the Formula Database before applying a technique.");
inline constexpr const char* TechniqueTierTooHigh =
    QT_TRANSLATE_NOOP("Messages", "This tier of the Formula '%s' (%s) is too low for '%s' (%s)."); // item, level, technique tier, level

// The component browser.
inline constexpr std::string_view ComponentWindowTitle = QT_TRANSLATE_NOOP("Messages", "Component Database");
inline constexpr std::string_view ComponentTypesLabel = QT_TRANSLATE_NOOP("Messages", "Component Types");
inline constexpr const char* ComponentTypeLabel = "%s (%d)"; // type, components
inline constexpr const char* ComponentsFound = QT_TRANSLATE_NOOP("Messages", "%d Components");
inline constexpr std::string_view ComponentNoType = QT_TRANSLATE_NOOP("Messages", "Unknown");
inline constexpr std::string_view ComponentType = QT_TRANSLATE_NOOP("Messages", "Type");
inline constexpr std::string_view ComponentTier = QT_TRANSLATE_NOOP("Messages", "Tier");
inline constexpr std::string_view ComponentBulk = QT_TRANSLATE_NOOP("Messages", "Bulk");
inline constexpr std::string_view ComponentBuyValue = QT_TRANSLATE_NOOP("Messages", "Buy Value");
inline constexpr std::string_view ComponentSellValue = QT_TRANSLATE_NOOP("Messages", "Sell Value");
inline constexpr std::string_view ComponentVendorValue = QT_TRANSLATE_NOOP("Messages", "Vendor Value");
inline constexpr std::string_view GatherSkill = QT_TRANSLATE_NOOP("Messages", "Gathered By");
inline constexpr std::string_view GatherTool = QT_TRANSLATE_NOOP("Messages", "Tool");
inline constexpr std::string_view GatherRate = QT_TRANSLATE_NOOP("Messages", "Rate");
inline constexpr std::string_view GatherSkillRange = QT_TRANSLATE_NOOP("Messages", "Skill Range");
inline constexpr const char* GatherSkillRangeFormat = "%s - %s"; // minimum, maximum
inline constexpr std::string_view GatherBonus = QT_TRANSLATE_NOOP("Messages", "Bonus");
inline constexpr std::string_view ComponentNotGathered = QT_TRANSLATE_NOOP("Messages", "Not gathered");
inline constexpr std::string_view LocationsHeader = QT_TRANSLATE_NOOP("Messages", "^Locations");
inline constexpr std::string_view UsesHeader = QT_TRANSLATE_NOOP("Messages", "<Used By|<Category|^Tier|<Through");
inline constexpr const char* UsesFound = QT_TRANSLATE_NOOP("Messages", "Used By %d Formula Tiers");
inline constexpr std::string_view ComponentHelp = QT_TRANSLATE_NOOP("Messages", "Help With Components");
// The efficiency level guide.
inline constexpr std::string_view GuideTitle = QT_TRANSLATE_NOOP("Messages", "Efficiency Levels");
inline constexpr const char* GuideTitleFormat = QT_TRANSLATE_NOOP("Messages", "Efficiency Levels - %s"); // resource
inline constexpr std::string_view GuideHeader = QT_TRANSLATE_NOOP("Messages", "^Skill|^Qty/Batch|^Effiency");
inline constexpr const char* GuideSkillFormat = QT_TRANSLATE_NOOP("Messages", "%s: minimum %lld, optimum %lld"); // skill, raised by the techniques
inline constexpr const char* GuideAdjustFormat = QT_TRANSLATE_NOOP("Messages", " (techniques %+lld)");
inline constexpr const char* GuideCurrentFormat = QT_TRANSLATE_NOOP("Messages", "Current skill: %d");
inline constexpr std::string_view GuideNoProfile = QT_TRANSLATE_NOOP("Messages", "No profile selected");
inline constexpr std::string_view GuideNoResource = QT_TRANSLATE_NOOP("Messages", "No resource selected");

// The profile manager.
inline constexpr std::string_view ProfileHelp = QT_TRANSLATE_NOOP("Messages", "Help With Profiles");
inline constexpr std::string_view ProfilesLabel = QT_TRANSLATE_NOOP("Messages", "Profiles");
inline constexpr std::string_view ProfileNew = QT_TRANSLATE_NOOP("Messages", "New");
inline constexpr std::string_view ProfileCopy = QT_TRANSLATE_NOOP("Messages", "Copy");
inline constexpr std::string_view ProfileDelete = QT_TRANSLATE_NOOP("Messages", "Delete");
inline constexpr std::string_view ProfileSaveChanges = QT_TRANSLATE_NOOP("Messages", "Save Changes");
inline constexpr std::string_view ProfilePagePlayer = QT_TRANSLATE_NOOP("Messages", "Player");
inline constexpr std::string_view ProfilePageCraft = QT_TRANSLATE_NOOP("Messages", "Craft");
inline constexpr std::string_view ProfilePageAdventure = QT_TRANSLATE_NOOP("Messages", "Adventure");
inline constexpr std::string_view ProfileNameLabel = QT_TRANSLATE_NOOP("Messages", "Name");
inline constexpr std::string_view ProfileServerLabel = QT_TRANSLATE_NOOP("Messages", "Server");
inline constexpr std::string_view ProfileEmailLabel = QT_TRANSLATE_NOOP("Messages", "Email");
inline constexpr std::string_view ProfileStatisticsLabel = QT_TRANSLATE_NOOP("Messages", "Statistics");
inline constexpr std::string_view ProfileCraftLevelsLabel = QT_TRANSLATE_NOOP("Messages", "Craft Levels");
inline constexpr std::string_view ProfileCraftSkillsLabel = QT_TRANSLATE_NOOP("Messages", "Craft Skills");
inline constexpr std::string_view ProfileAdventureLevelsLabel = QT_TRANSLATE_NOOP("Messages", "Adventure Levels");
inline constexpr std::string_view ProfileAdventureSkillsLabel = QT_TRANSLATE_NOOP("Messages", "Adventure Skills");
// Grid headings, cells between bars.
inline constexpr std::string_view ProfileStatisticsHeader = QT_TRANSLATE_NOOP("Messages", "Statistic|Value");
inline constexpr std::string_view ProfileCraftLevelsHeader = QT_TRANSLATE_NOOP("Messages", "School|Level|Lowest\nWork Tier|Highest\nWork Tier");
inline constexpr std::string_view ProfileSkillsHeader = QT_TRANSLATE_NOOP("Messages", "Skill|Level");
inline constexpr std::string_view ProfileAdventureLevelsHeader = QT_TRANSLATE_NOOP("Messages", "School|Level");
inline constexpr std::string_view ProfileChangedMark = " *";
inline constexpr std::string_view ProfileNewName = QT_TRANSLATE_NOOP("Messages", "New Profile");
inline constexpr std::string_view ProfileCopyPrefix = QT_TRANSLATE_NOOP("Messages", "Copy of ");
// "Do you want to delete the profile 'server:name'? ..."
inline constexpr std::string_view ProfileDeleteQuestion1 = QT_TRANSLATE_NOOP("Messages", "Do you want to delete the profile '");
inline constexpr std::string_view ProfileDeleteQuestion2 = QT_TRANSLATE_NOOP("Messages", "'? Its file is deleted as well.");
inline constexpr const char* ProfileReadOnly =
    QT_TRANSLATE_NOOP("Messages", "The profile '%s' comes with the database and cannot be changed or deleted.\nCopy it to make a profile of your own.");
inline constexpr const char* ProfileDeleteFailed = QT_TRANSLATE_NOOP("Messages", "The file '%s' could not be deleted, the profile is kept.");
inline constexpr std::string_view ProfileNameEmpty = QT_TRANSLATE_NOOP("Messages", "Please enter a name for the profile.");
inline constexpr std::string_view ProfileNameUnsafe = QT_TRANSLATE_NOOP("Messages", "A profile name cannot contain '/' or '\\', nor be '.' or '..'.");
inline constexpr const char* ProfileNameTaken = QT_TRANSLATE_NOOP("Messages", "There is already a profile named '%s'.");
inline constexpr std::string_view ProfileServerEmpty = QT_TRANSLATE_NOOP("Messages", "Please enter the server of the profile.");
inline constexpr std::string_view ProfileLevelInvalid = QT_TRANSLATE_NOOP("Messages", "Please enter a whole number from 0 up.");
inline constexpr std::string_view ProfileStatisticInvalid = QT_TRANSLATE_NOOP("Messages", "Please enter a whole number.");
inline constexpr std::string_view ProfileWorkTierInvalid =
    QT_TRANSLATE_NOOP("Messages", "Work tiers go from 1 to 10, and the lowest cannot be above the highest.");

} // namespace Messages
