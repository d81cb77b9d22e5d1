#pragma once

#include <string_view>

// The program's fixed texts: messages, questions and labels, verbatim, in one place.
// Texts built from pieces keep their pieces here as well.
namespace Messages
{
// Start-up and update archives.
inline constexpr std::string_view MoreThanOneArchive1 = "More then one database update file (*.zip) exists in '";
inline constexpr std::string_view MoreThanOneArchive2 =
    "'.\nPlease remove all but one and restart the client for the update to take effect!";
inline constexpr std::string_view ArchiveCorrupt = "Update failed, database archive is corrupt.\nRemoving update file";
// Texts of our own: an update that did not fit, and one that waits for another Moxa.
inline constexpr std::string_view ArchiveDiskFull =
    "Update failed, the disk is full.\nThe update file is kept: please free up some space and restart the client";
inline constexpr std::string_view InstallWaiting =
    "Another Moxa is installing a database update in this data folder; waiting for it to finish...";
inline constexpr std::string_view InstallBusy =
    "Another Moxa is still installing a database update in this data folder.\nThe update file is kept for the next start";
// The installation's lock file could not be made (a full disk): the system's reason between.
inline constexpr std::string_view InstallCannotLock1 = "The database update cannot be installed now: ";
inline constexpr std::string_view InstallCannotLock2 = ".\nThe update file is kept for the next start";
// Each file of an installed archive: "Moving 'name'..." or the warning for one not kept.
inline constexpr std::string_view MovingFile1 = "Moving '";
inline constexpr std::string_view MovingFile2 = "'...";
inline constexpr std::string_view UnexpectedFile1 = "Warning - Unexpected File '";
inline constexpr std::string_view UnexpectedFile2 = "' found. This file will be deleted.";

// Choosing the data folder at start.
inline constexpr std::string_view NotADataFolder1 = "'";
inline constexpr std::string_view NotADataFolder2 =
    "' is not a Moxa data folder: it holds neither a Config folder nor an update archive in Temp";
inline constexpr std::string_view NoSampleData1 = "no data folder: the current directory holds no Config folder, nor does '";
inline constexpr std::string_view NoSampleData2 = "', and no sample data is installed to copy there (name one with --data-dir DIR)";
inline constexpr std::string_view NoPerUserFolder =
    "no data folder: the current directory holds no Config folder and neither XDG_DATA_HOME nor HOME is set";
inline constexpr std::string_view SeedFailed1 = "the sample data '";
inline constexpr std::string_view SeedFailed2 = "' could not be copied to '";
inline constexpr std::string_view UsePerUserFolder1 = ".\n\nUse your own data folder '";
inline constexpr std::string_view UsePerUserFolder2 = "' instead?";
inline constexpr std::string_view Seeded1 = "Moxa copied its sample data to '";
inline constexpr std::string_view Seeded2 = "'; your orders, profiles and downloads are kept there.";

// Profiles on saving the settings.
inline constexpr std::string_view ProfilesChanged1 = "Profile(s) '";
inline constexpr std::string_view ProfilesChangedMore = ", '";
inline constexpr std::string_view ProfilesChanged2 = " have been changed, do you want to save these changes?";
// A changed profile that could not be saved: "Profile 'server:name' ..." (it stays changed).
inline constexpr std::string_view ProfileNotSaved1 = "Profile '";
inline constexpr std::string_view ProfileNameUnusable =
    "' was not saved: its name cannot be used as a file name (it is empty, \".\", \"..\" or holds \"/\" or \"\\\").";
inline constexpr std::string_view ProfileWriteFailed1 = "' could not be saved to '";
inline constexpr std::string_view ProfileWriteFailed2 = "'.";
// The settings could not be written at exit: the reason follows, then the question.
inline constexpr std::string_view SettingsNotSaved = "The settings could not be saved.";
inline constexpr std::string_view SettingsExitAnyway = "Exit without saving them?";
// Texts of our own: a profile file that ends early is loaded as far as it goes.
inline constexpr const char* ProfileFileDamaged =
    "The profile file '%s' is damaged: it ends before its closing </profile> line. Only what "
    "comes before the damage was read, and the file is not saved over unless you agree.";
inline constexpr const char* ProfileDamagedSaveQuestion =
    "The profile file '%s' was damaged when it was read, and the profile '%s' holds only what "
    "could be read from it. Replace the file with this profile?"; // path, server:name

// Live update.
inline constexpr std::string_view UpdateInfoUnavailable =
    "Unable to access this Site for update information. Please try again when it is available";
inline constexpr std::string_view ReleaseInfoUnavailable =
    "Unable to access this Site for release information. Please try again when it is available";
// The archive stage had no message of its own; worded like its two siblings.
inline constexpr std::string_view ArchiveUnavailable =
    "Unable to download the database archive from this Site. Please try again when it is available";
inline constexpr std::string_view ClientTooOld1 = "Your client '";
inline constexpr std::string_view ClientTooOld2 = "' cannot support this update!";
inline constexpr std::string_view ClientUpgradeQuestion =
    "This version of Moxa cannot support the latest database revision. Do you want to launch the Moxa Client Upgrade page?";
inline constexpr std::string_view DatabaseInstalled = "You have this database already";
inline constexpr std::string_view DatabaseReady = "This is a new database ready for downloading";
inline constexpr std::string_view NoSpaceForUpdate =
    "There is not enough space on the partition (where Moxa is installed) to install the update.\nPlease free up some space (at least 12Mb) and retry";
inline constexpr std::string_view ResetOrderForUpdate =
    "In order to perform the update, the current order must be reset. Proceed?";
inline constexpr const char* TransferProgressSized = "%s (%lld/%lld bytes)"; // name, received, expected
inline constexpr const char* TransferProgressUnsized = "%s (%lld bytes)";    // name, received
inline constexpr std::string_view Downloading1 = "Downloading ";
inline constexpr std::string_view Downloading2 = "...";
inline constexpr std::string_view ExtractingArchive = "Extracting database archive...";
inline constexpr std::string_view ExtractionComplete = "Extraction complete, starting installation...";
inline constexpr std::string_view InstallationComplete = "Installation complete, restarting database...";
inline constexpr std::string_view ConfigurationComplete = "Configuration complete.";
inline constexpr std::string_view UpdateArchiveCorrupt = "Update failed, database archive is corrupt";
// Of our own, in the same style.
inline constexpr std::string_view UpdateDiskFull = "Update failed, the disk is full";
inline constexpr std::string_view UpdateBusy = "Update postponed, another Moxa is installing one";
inline constexpr std::string_view UpdateInstalledElsewhere =
    "Another Moxa installed this update meanwhile; restart the client to use it";
inline constexpr std::string_view UpdateWindowTitle = "Live Update";
inline constexpr std::string_view UpdateServerGroup = "Server";
inline constexpr std::string_view CheckForUpdate = "Check For Update";
inline constexpr std::string_view StartDownload = "Start Download";
inline constexpr std::string_view ReDownload = "Re-download";
inline constexpr std::string_view UpdateRevisionGroup = "Revision";
inline constexpr std::string_view UpdateVersionLabel = "Version";
inline constexpr std::string_view UpdateClientLabel = "Client ";
inline constexpr std::string_view UpdateChangeColumn = "Change";
inline constexpr std::string_view UpdateAuthorColumn = "Author";
inline constexpr std::string_view UpdateOperationColumn = "Operation";
inline constexpr std::string_view UpdateClose = "Close";
inline constexpr std::string_view UpdateAbort = "Abort";
inline constexpr std::string_view UpdateHelpMenu = "Help";
inline constexpr std::string_view UpdateHelpItem = "Help With Updates";

// Database loading.
inline constexpr std::string_view NoSpaceForRecache =
    "There is not enough space on the partition (where Moxa is installed) to recache the database.\nPlease free up some space (at least 12Mb) and retry";
inline constexpr std::string_view CachingInProgress = "Caching In Progress";
// A rebuild that finds no formula file would leave an empty database (texts of our own).
inline constexpr const char* NoFormulaFilesKept =
    "The database was not rebuilt: there is no formula file in '%s'. The last database is kept.";
inline constexpr const char* NoFormulaFiles =
    "The database was not rebuilt: there is no formula file in '%s'. No database is loaded.";

// Links.
inline constexpr std::string_view LinkNotFound = "Error - Cannot Find Requested Link";

// Orders.
inline constexpr std::string_view OrderVersionUnsupported = "Sorry, Moxa doesn't support this version of the order file";
inline constexpr std::string_view ClearOrderQuestion = "Do you really want to clear this order?";
// Asked before an unsaved order would be lost (closing, opening another, recaching):
// Save, Discard or Cancel.
inline constexpr std::string_view UnsavedOrder1 = "Do you want to save the changes to the order '";
inline constexpr std::string_view UnsavedOrder2 = "'?";
// Texts of our own: order files that cannot be read, or end early.
inline constexpr const char* OrderFileProblem = "The order file '%s' %s."; // path, "is a folder, not a file"
inline constexpr const char* OrderFileDamaged =
    "The order file '%s' is damaged: it ends before its closing </order> line. Only what comes "
    "before the damage was read, and the file is not saved over unless you agree.";
inline constexpr const char* OrderDamagedSaveQuestion =
    "The order file '%s' was damaged when it was opened, and this order holds only what could be "
    "read from it. Replace the file with this order?";
// Reports: a sub-component tree too large to list.
inline constexpr const char* SubcomponentsTooMany =
    "The sub-components are too many to show (more than %lld rows, or more than %d levels deep). "
    "Choose \"Show Components\" or \"Show Base Resource\" instead."; // rows, levels
// Reports: base resources along too many paths to work out.
inline constexpr const char* BaseResourcesTooMany =
    "The base resources take more than %lld steps to work out: the formulae lead to each other "
    "along too many paths. Choose \"Show Components\" instead."; // steps

// The order creation wizard.
inline constexpr std::string_view WizardTypeCraft = "Craft";
inline constexpr std::string_view WizardTypeAdventure = "Adventure";
inline constexpr const char* WizardUnknownSet =
    "The template '%s' names the formula set '%s', which the database does not have."; // template, set
inline constexpr const char* WizardSetEmpty = "No formula of the set '%s' matches '%s' at %s."; // set, filter, tiers
inline constexpr const char* WizardUnknownTechnique =
    "The template '%s' names the technique '%s', which the database does not have."; // template, technique
inline constexpr const char* WizardNothing = "The template '%s' gives no formula at %s: no order was made.";
inline constexpr const char* WizardFileProblem = "The wizard template file '%s' cannot be used: %s."; // file, reason
inline constexpr std::string_view WizardFileNoWizard = "it holds no wizard template";
inline constexpr std::string_view WizardFileNoSchool = "it names no school or school type";
inline constexpr std::string_view WizardFileNoSets = "it names no formula sets";
// The wizard's windows.
inline constexpr std::string_view MenuNewFromTemplate = "New Order from &Template...";
inline constexpr std::string_view ButtonWizard = "Wizard";
inline constexpr std::string_view TipWizard = "Builds a new order from a template for your character (Ctrl+T)";
inline constexpr std::string_view WizardTitle = "New Order from Template";
inline constexpr std::string_view WizardWhoTitle = "Who is the order for?";
inline constexpr std::string_view WizardWhoText =
    "Choose one of your characters, or describe one, then a template that fits.";
inline constexpr std::string_view WizardProfile = "A character profile";
inline constexpr std::string_view WizardByHand = "Chosen by hand";
inline constexpr std::string_view WizardRace = "Race";
inline constexpr std::string_view WizardSchoolType = "School type";
inline constexpr std::string_view WizardSchool = "School";
inline constexpr std::string_view WizardLevel = "Level";
inline constexpr std::string_view WizardAny = "Any";
inline constexpr std::string_view WizardTemplates = "Templates";
inline constexpr std::string_view WizardNoTemplate = "No template fits this character.";
inline constexpr const char* WizardTemplateEntry = "%s - %s"; // template, tiers
inline constexpr std::string_view WizardWhatTitle = "What to make";
inline constexpr std::string_view WizardWhatText =
    "Tick the formula sets and formulae to make; choose their tiers and batches.";
inline constexpr std::string_view WizardFormulaColumn = "Formula";
inline constexpr std::string_view WizardTierColumn = "Tier";
inline constexpr std::string_view WizardBatchesColumn = "Batches";
inline constexpr std::string_view WizardSetUnknown = " (not in the database)";
inline constexpr std::string_view WizardSetNothing = " (nothing the character can work)";
inline constexpr std::string_view WizardHowTitle = "Techniques and summary";
inline constexpr std::string_view WizardHowText =
    "Tick the techniques each item should take. Finish makes the order.";
inline constexpr std::string_view WizardNoTechnique = "No technique of the template fits this tier";
inline constexpr std::string_view WizardReplace = "Replace the current order";
inline constexpr std::string_view WizardAppend = "Add to the current order";
inline constexpr std::string_view WizardReplaceQuestion =
    "The current order has changes that are not saved. Replace it with the new order?";
inline constexpr const char* WizardSummaryHead = "Items: %d, groups: %d"; // items, groups
// The editing menus.
inline constexpr std::string_view MenuEdit = "&Edit";
inline constexpr std::string_view MenuRecentOrders = "Recent Orders";
inline constexpr std::string_view MenuNoRecentOrders = "(none)";
inline constexpr std::string_view MenuPasteList = "Paste List";
inline constexpr std::string_view FormulaQuickFilter = "Type to filter by name or keyword";
// A pasted list of items.
inline constexpr std::string_view PasteUnmatched = "These lines name no formula and were not added:";
inline constexpr std::string_view PasteTechniquesDropped =
    "These techniques were not found or do not fit the item's tier, and were left out:";
inline constexpr const char* PasteComponentLines = "%d component lines of a report were left out.";
inline constexpr std::string_view PasteGroup = "Pasted Items"; // when no group is selected
inline constexpr const char* PasteClamped = "These lines ask for more than %d batches and were given %d:";
inline constexpr std::string_view PasteUtf16 =
    "The list is UTF-16 text, which Moxa does not read: save it as plain text (ISO-8859-1 or UTF-8) "
    "and try again. Nothing was added.";
inline constexpr const char* PasteNulBytes =
    "The list holds NUL bytes (line %d), so it is not plain text. Nothing was added.";
// Undo and redo of order edits: "Undo Rename Group".
inline constexpr std::string_view UndoPrefix = "Undo";
inline constexpr std::string_view RedoPrefix = "Redo";
inline constexpr std::string_view EditAddItem = "Add Item";
inline constexpr std::string_view EditIncreaseQty = "Increase Qty";
inline constexpr std::string_view EditChooseTier = "Choose Tier";
inline constexpr std::string_view EditAddTechnique = "Add Technique";
inline constexpr std::string_view EditRemoveTechnique = "Remove Technique";
inline constexpr std::string_view EditDelete = "Delete";
inline constexpr std::string_view EditRenameGroup = "Rename Group";
inline constexpr std::string_view EditRenameItem = "Rename Item";
inline constexpr std::string_view EditMoveItem = "Move Item";
inline constexpr std::string_view EditSetBatches = "Set Batches";
inline constexpr std::string_view EditNewGroup = "New Group";
inline constexpr std::string_view EditCopyItem = "Copy Item";
inline constexpr std::string_view EditAlignTiers = "Align Tiers";
inline constexpr std::string_view EditAcquired = "Acquired Count";
inline constexpr std::string_view EditWizard = "Order Wizard";
inline constexpr std::string_view EditPaste = "Paste";
inline constexpr std::string_view EditOrder = "Edit Order";
// Recent orders.
inline constexpr const char* RecentOrderMissing = "The order file '%s' no longer exists and was taken off the recent orders.";

// The toolbar window.
inline constexpr std::string_view ToolbarCaption = "Moxa";
inline constexpr std::string_view CaptionVersion1 = "Moxa v";
inline constexpr std::string_view CaptionRevision1 = " (Database Revision: ";
inline constexpr std::string_view CaptionRevision2 = ")";
inline constexpr std::string_view DatabaseLabelDefault = "DB: Default";
inline constexpr std::string_view DatabaseLabel1 = "DB: ";
inline constexpr std::string_view LabelOrders = "Orders";
inline constexpr std::string_view LabelDatabase = "Database";
inline constexpr std::string_view LabelOnline = "Moxa Online";
inline constexpr std::string_view Autodock = "Autodock";
inline constexpr std::string_view ButtonOrder = "Order";
inline constexpr std::string_view ButtonReports = "Reports";
inline constexpr std::string_view ButtonFormulae = "Formulae";
inline constexpr std::string_view ButtonTechniques = "Techniques";
inline constexpr std::string_view ButtonComponents = "Components";
inline constexpr std::string_view ButtonProfiles = "Profiles";
inline constexpr std::string_view ButtonLiveUpdate = "Live Update";
inline constexpr std::string_view TipOrder = "Toggles the display of items associated with this order (F1)";
inline constexpr std::string_view TipReports = "Toggles the Report screen (F2)";
inline constexpr std::string_view TipFormulae = "Toggles the Formulae database (F3)";
inline constexpr std::string_view TipTechniques = "Toggles the Technique database (F4)";
inline constexpr std::string_view TipComponents = "Toggles the Component database (F5)";
inline constexpr std::string_view TipProfiles = "Toggles the Profile Manager (F6)";
inline constexpr std::string_view TipLiveUpdate = "Performs a Live Update on the database (F7)";
inline constexpr std::string_view RecacheQuestion =
    "Recaching of the database should be done if you've manually updated the database,\n"
    "or the database is corrupt, or if icons appear incorrectly. There is no danger in\n"
    "performing a recache, just that it may take some time.\n\n"
    "Do you really want to reload all configuration data (This will clear the current order)?";
inline constexpr std::string_view MenuFile = "&File";
inline constexpr std::string_view MenuNewOrder = "&New Order...";
inline constexpr std::string_view MenuOpenOrder = "&Open Order...";
inline constexpr std::string_view MenuSaveOrder = "&Save Order";
inline constexpr std::string_view MenuSaveOrderAs = "Save Order  &As...";
inline constexpr std::string_view MenuPrint = "&Print...";
inline constexpr std::string_view MenuExit = "E&xit";
inline constexpr std::string_view MenuOptions = "&Options";
inline constexpr std::string_view MenuAlwaysOnTop = "Always On Top";
inline constexpr std::string_view MenuView = "View";
inline constexpr std::string_view MenuWindow = "Window";
inline constexpr std::string_view MenuAllWindows = "All Windows";
inline constexpr std::string_view MenuRememberAll = "Remember All Positions";
inline constexpr std::string_view MenuRestoreAll = "Restore All Positions";
inline constexpr std::string_view MenuToolbar = "Toolbar";
inline constexpr std::string_view MenuFormulaDatabase = "Formulae Database";
inline constexpr std::string_view MenuTechniqueDatabase = "Technique Database";
inline constexpr std::string_view MenuComponentDatabase = "Component Database";
inline constexpr std::string_view MenuProfileManager = "Profile Manager";
inline constexpr std::string_view MenuRememberPosition = "Remember Position";
inline constexpr std::string_view MenuRestorePosition = "Restore Saved Position";
inline constexpr std::string_view MenuOrientation = "Orientation";
inline constexpr std::string_view MenuVertical = "Vertical";
inline constexpr std::string_view MenuHorizontal = "Horizontal";
inline constexpr std::string_view MenuSettings = "Settings";
inline constexpr std::string_view MenuConfiguration = "Configuration...";
inline constexpr std::string_view MenuRecache = "Recache Database";
inline constexpr std::string_view MenuRefreshTheme = "Refresh Theme";
inline constexpr std::string_view MenuHelp = "&Help";
inline constexpr std::string_view MenuOfficialSite = "Official Website";
inline constexpr std::string_view MenuOnlineManual = "Online Manual";
inline constexpr std::string_view MenuReportBug = "Report a Bug";
inline constexpr std::string_view MenuAbout = "About...";
inline constexpr std::string_view LinkOfficialSite = "officialsite";
inline constexpr std::string_view LinkOnlineManual = "onlinemanual";
inline constexpr std::string_view AboutTitle = "About Moxa";
inline constexpr std::string_view AboutLicence = "\nFree software under the MIT licence.";
inline constexpr std::string_view AboutDataFolder = "\n\nData folder: ";
inline constexpr std::string_view AboutSettingsFile = "\nSettings file: ";
inline constexpr std::string_view AboutHomepage = "\n\nHomepage: ";
inline constexpr std::string_view AboutReportBugs = "\nReport bugs: ";
inline constexpr std::string_view AboutNoDocking =
    "\n\nThis Wayland session places windows itself, so tool windows do not dock and saved "
    "positions are not restored. Started with an X server at hand (DISPLAY), Moxa uses it and docks.";

// The configuration dialog.
inline constexpr std::string_view ConfigTitle = "Configuration";
inline constexpr std::string_view ConfigHotkeysUnavailable = " (unavailable on this desktop)";
inline constexpr std::string_view ConfigHotkeysTaken = " (taken by another program: ";
inline constexpr std::string_view ConfigGamePath = "Tellurin Installation Path";
inline constexpr std::string_view ConfigBrowse = "Browse...";
inline constexpr std::string_view ConfigBrowseTitle = "Please select the Tellurin Installation folder.";
inline constexpr std::string_view ConfigIcons = "Display Game Icons?";
inline constexpr std::string_view ConfigIconSize = "Icon Size";
inline constexpr std::string_view ConfigSticky = "Sticky Strength";
inline constexpr std::string_view ConfigTheme = "Theme";
inline constexpr std::string_view ConfigCache = "Caching Enabled (Recommended)";
inline constexpr std::string_view ConfigPriority = "Above Normal Priority?";
inline constexpr std::string_view ConfigHotkeys = "Global Hotkeys?";
inline constexpr std::string_view ConfigRequiresRestart = "(Requires Restart)";
inline constexpr std::string_view ConfigDrag = "Drag With Toolbar?";
inline constexpr std::string_view ConfigGameText =
    "Moxa needs to know the location of the Tellurin game files. These are used to generate the icons within the application, otherwise no game related icons will be displayed.";
inline constexpr std::string_view ConfigIconsText =
    "Icons are used to represent formulas and techniques. Not loading them can reduce memory load for low end machines. You can also specify their size to suit your preferences.";
inline constexpr std::string_view ConfigCacheText =
    "Caching allows all the loaded XML/Icons files to be stored in a format more easily parsed by Moxa. Enabling caching will result in a much faster startup.";
inline constexpr std::string_view ConfigHelp = "Help With Configuration";
inline constexpr std::string_view ConfigHelpLink = "optionwindow";
inline constexpr std::string_view ConfigRecacheQuestion =
    "In order for these changes to take effect, the database must be recached, this may take some time and will reset any current order. Proceed now, or perform on next start?";

// The order window.
inline constexpr std::string_view OrderWindowTitle = "Orders";
inline constexpr std::string_view OrderCurrentGroup = "Current Order";
inline constexpr std::string_view OrderDelete = "Delete...";
inline constexpr std::string_view OrderNewGroup = "New Group";
inline constexpr std::string_view OrderTechColumn = "Tech";
inline constexpr std::string_view OrderCopyToClipboard = "Copy To Clipboard";
inline constexpr std::string_view OrderAlignTiers = "Align Tiers";
inline constexpr std::string_view OrderCopy = "Copy";
inline constexpr std::string_view TipAlignTiers = "Gives the ticked items of the selected item's formula its tier";
inline constexpr std::string_view TipCopyItem = "Adds a copy of the selected item to its group";
inline constexpr std::string_view MenuSelection = "Selection";
inline constexpr std::string_view MenuSelectNone = "Select None";
inline constexpr std::string_view MenuSelectAll = "Select All";
inline constexpr std::string_view MenuInvertSelection = "Invert Selection";
inline constexpr std::string_view MenuCopySelected = "Copy Selected To Clipboard";
inline constexpr std::string_view NewGroupTitle = "Please enter the Group name";
inline constexpr std::string_view NewGroupLabel = "New Group Name";
inline constexpr std::string_view DeleteGroupQuestion1 = "Do you really want to delete the group '";
inline constexpr std::string_view DeleteGroupQuestion2 = "'?";
inline constexpr std::string_view OrderHelp = "Help With Orders";
inline constexpr std::string_view OrderHelpLink = "orderwindow";
inline constexpr std::string_view OrderFileFilter = "XML Files (*.xml)";
// "Align Tiers" in the order window's status line.
inline constexpr const char* AlignNoSelection = "Select the item whose tier the ticked items take";
inline constexpr const char* AlignNothingTicked = "Tick the items that take the selected item's tier";
inline constexpr const char* AlignNoSameFormula = "No other ticked item is a %s"; // formula
inline constexpr const char* AlignAlreadyAligned = "Every ticked %s is already %s"; // formula, tier
inline constexpr const char* AlignDone = "%d ticked %s set to %s"; // count, formula, tier
// The group an added item goes to when the order has none.
inline constexpr std::string_view DefaultGroupName = "Items";
// Formats: the numbers are 64-bit where batches multiply.
inline constexpr const char* ItemLabelFormat = "%lld x %s";              // made, item name
inline constexpr const char* BatchesLabelFormat = "batches x %d per batch = %lld"; // per batch, made
// A save that did not reach the disk (the order stays marked modified).
inline constexpr std::string_view OrderNotSaved1 = "The order could not be saved to '";
inline constexpr std::string_view OrderNotSaved2 = "'.";
inline constexpr std::string_view OrderChangedOnDisk1 = "Another program has saved '";
inline constexpr std::string_view OrderChangedOnDisk2 = "' since this order was opened or saved. Overwrite it with this order?";

// The reports window.
inline constexpr std::string_view ReportContentAll = "Order & Comps";
inline constexpr std::string_view ReportContentOrder = "Order Only";
inline constexpr std::string_view ReportContentComponents = "Components Only";
inline constexpr std::string_view ReportContentBonuses = "Bonuses";
inline constexpr std::string_view ReportFormatLabel = "Format";
inline constexpr std::string_view ReportFormatDirect = "Direct";
inline constexpr std::string_view ReportFormatHtml = "HTML";
inline constexpr std::string_view ReportFormatClipboard = "Clipboard";
inline constexpr std::string_view ReportGenerate = "Generate";
// The components' third column in the window, where the acquired counts are typed.
inline constexpr std::string_view ReportAcquiredHeading = "Acquired/Quantity";
inline constexpr std::string_view MenuReportOptions = "Options";
inline constexpr std::string_view MenuSortBy = "Sort By";
inline constexpr std::string_view MenuSortName = "Component Name";
inline constexpr std::string_view MenuSortQuantity = "Quantity Required";
inline constexpr std::string_view MenuBreakdown = "Breakdown";
inline constexpr std::string_view MenuShowComponents = "Show Components";
inline constexpr std::string_view MenuShowSubcomponents = "Show Subcomponents";
inline constexpr std::string_view MenuShowBase = "Show Base Resource";
inline constexpr std::string_view MenuBonuses = "Bonuses";
inline constexpr std::string_view MenuDirectOnly = "Direct Only";
inline constexpr std::string_view MenuIncludeIndirect = "Include Indirect";
inline constexpr std::string_view ReportHelp = "Help With Reports";
inline constexpr std::string_view ReportHelpLink = "reportwindow";
inline constexpr const char* ReportsTitleFormat = "Reports - %d of %d Selected"; // selected, items
inline constexpr const char* HtmlNotWritten = "The report could not be written to:\n%s"; // path
inline constexpr const char* HtmlNotOpened =
    "No browser could be opened to show the report.\nThe page was written to:\n%s"; // path
// What is left to make and gather, and the characters side by side.
inline constexpr std::string_view ReportContentPlan = "Plan";
inline constexpr std::string_view ReportFormatCsv = "CSV";
inline constexpr std::string_view ReportFormatJson = "JSON";
inline constexpr std::string_view MenuGroupByLocation = "Group Gathering by Location";
inline constexpr std::string_view MenuCompareCharacters = "Compare Characters...";
inline constexpr std::string_view CompareCharactersTitle = "Compare Characters";
inline constexpr std::string_view MenuMarkDone = "Mark Acquired as Done";
inline constexpr std::string_view CsvFilter = "CSV Files (*.csv)";
inline constexpr std::string_view JsonFilter = "JSON Files (*.json)";
inline constexpr const char* ExportNotWritten = "The report could not be written to '%s'.";
inline constexpr const char* ExportWritten = "The report was written to '%s'.";
inline constexpr std::string_view AcquiredNotANumber = "Enter the acquired count as a whole number of 0 or more.";
// The player's prices and what the order's items earn.
inline constexpr std::string_view MenuPrices = "Prices...";
inline constexpr std::string_view MenuMargins = "Margins...";
inline constexpr std::string_view MarginsTitle = "Margins";
inline constexpr std::string_view PricesTitle = "Prices";
inline constexpr std::string_view ButtonPrices = "Prices";
inline constexpr std::string_view TipPrices = "What each name costs, for the plan's costs and the margins";
inline constexpr std::string_view PricesSearch = "Search:";
inline constexpr std::string_view PricesImport = "Import...";
inline constexpr std::string_view PricesExport = "Export...";
inline constexpr std::string_view PriceColumnName = "Name";
inline constexpr std::string_view PriceColumnPrice = "Price";
inline constexpr const char* PricesShown = "%d of %d names, %d priced"; // shown, names, priced
inline constexpr std::string_view PriceNotANumber =
    "Enter the price in coins, such as 12 or 3.50, or leave the cell empty for no price.";
inline constexpr const char* PricesNotSaved = "The prices could not be saved to '%s'."; // path
inline constexpr const char* PricesNotRead = "The price list could not be read: %s."; // reason
inline constexpr const char* PricesSkipped = "Some lines of the price list were not used:\n%s"; // lines

// The formula browser.
inline constexpr std::string_view CategoryAll = "All";
inline constexpr std::string_view CategoryCustom = "Custom";
inline constexpr const char* TreeCategoryLabel = "%s (%d/%d)"; // category, shown, total
inline constexpr const char* FormulaeFound = "%d Formulae";
inline constexpr std::string_view FoundFiltered = " (Filtered)";
inline constexpr std::string_view RaceKhutit = "Khutit";
inline constexpr std::string_view RaceHuman = "Human";
inline constexpr std::string_view GridNone = "None";
inline constexpr std::string_view AddItem = "Add Item";
inline constexpr std::string_view IncreaseQty = "Increase Qty";
inline constexpr const char* TierTooFewSlots =
    "This tier of the Formula '%s' can only take %d techniques.\nPlease remove any excess techniques and try again";
inline constexpr const char* TechniqueTierMissing = "Error - Cannot find the tier '%s' for the technique '%s'";
inline constexpr const char* TierCannotTake = "This tier of the Formula '%s' cannot take '%s'.\nPlease remove it and try again";
// Attaching from the technique browser.
inline constexpr const char* TechniqueNoSlots =
    "This tier of the Formula '%s' has no room for '%s': it can only take %d techniques.";
// The resource grid's cells: an efficiency, the need below the minimum (at the minimum ->
// at the optimum), and what a technique's component shows in the other columns.
inline constexpr const char* EfficiencyFormat = "%d%%";
inline constexpr std::string_view TooLow = "Too Low";
inline constexpr const char* TooLowNeedFormat = "%lld->%lld";
inline constexpr std::string_view TechniqueResourceSkill = "(technique)";
inline constexpr std::string_view NoValue = "-";
// The technique browser.
inline constexpr std::string_view TechniqueWindowTitle = "Technique Database";
inline constexpr std::string_view TechniqueCategoriesLabel = "Available Categories";
inline constexpr const char* TechniquesFound = "%d Techniques";
inline constexpr std::string_view TechniquesUsable = " (Usable)";
inline constexpr std::string_view TechniqueApply = "Apply";
inline constexpr std::string_view TechniqueFilterFormulae = "Filter Formulae By Technique";
inline constexpr std::string_view TechniqueShowUsable = "Show Usable Techniques Only";
inline constexpr std::string_view TechniqueHelp = "Help With Techniques";
inline constexpr std::string_view TechniqueItemLabel = "Item";
inline constexpr std::string_view TechniqueNoItem = "None chosen in the Formula Database";
inline constexpr const char* TechniqueItemFormat = "%s (%s), %d of %d technique slots used"; // product, tier
inline constexpr std::string_view TechniqueTierLabel = "Tier";
inline constexpr std::string_view TechniqueLevelLabel = "Level";
inline constexpr std::string_view TechniqueOriginLabel = "Origin";
inline constexpr std::string_view TechniqueSkillAdjustLabel = "Skill Adjust";
inline constexpr std::string_view TechniqueUsageAdjustLabel = "Usage Adjust";
inline constexpr std::string_view TechniqueSizeLabel = "Size";
inline constexpr std::string_view TechniqueBonusLabel = "Bonus";
inline constexpr std::string_view TechniqueComponentsLabel = "Components";
inline constexpr const char* TechniqueComponentFormat = "%d x %s"; // quantity, component
inline constexpr std::string_view TechniqueApplyNoItem =
    "Please choose a formula and its tier in the Formula Database before applying a technique.";
inline constexpr const char* TechniqueTierTooHigh =
    "This tier of the Formula '%s' (%s) is too low for '%s' (%s)."; // item, level, technique tier, level

// The component browser.
inline constexpr std::string_view ComponentWindowTitle = "Component Database";
inline constexpr std::string_view ComponentTypesLabel = "Component Types";
inline constexpr const char* ComponentTypeLabel = "%s (%d)"; // type, components
inline constexpr const char* ComponentsFound = "%d Components";
inline constexpr std::string_view ComponentNoType = "Unknown";
inline constexpr std::string_view ComponentType = "Type";
inline constexpr std::string_view ComponentTier = "Tier";
inline constexpr std::string_view ComponentBulk = "Bulk";
inline constexpr std::string_view ComponentBuyValue = "Buy Value";
inline constexpr std::string_view ComponentSellValue = "Sell Value";
inline constexpr std::string_view ComponentVendorValue = "Vendor Value";
inline constexpr std::string_view GatherSkill = "Gathered By";
inline constexpr std::string_view GatherTool = "Tool";
inline constexpr std::string_view GatherRate = "Rate";
inline constexpr std::string_view GatherSkillRange = "Skill Range";
inline constexpr const char* GatherSkillRangeFormat = "%s - %s"; // minimum, maximum
inline constexpr std::string_view GatherBonus = "Bonus";
inline constexpr std::string_view ComponentNotGathered = "Not gathered";
inline constexpr std::string_view LocationsHeader = "^Locations";
inline constexpr std::string_view UsesHeader = "<Used By|<Category|^Tier|<Through";
inline constexpr const char* UsesFound = "Used By %d Formula Tiers";
inline constexpr std::string_view ComponentHelp = "Help With Components";
// The efficiency level guide.
inline constexpr std::string_view GuideTitle = "Efficiency Levels";
inline constexpr const char* GuideTitleFormat = "Efficiency Levels - %s"; // resource
inline constexpr std::string_view GuideHeader = "^Skill|^Qty/Batch|^Effiency";
inline constexpr const char* GuideSkillFormat = "%s: minimum %lld, optimum %lld"; // skill, raised by the techniques
inline constexpr const char* GuideAdjustFormat = " (techniques %+lld)";
inline constexpr const char* GuideCurrentFormat = "Current skill: %d";
inline constexpr std::string_view GuideNoProfile = "No profile selected";
inline constexpr std::string_view GuideNoResource = "No resource selected";

// The profile manager.
inline constexpr std::string_view ProfileHelp = "Help With Profiles";
inline constexpr std::string_view ProfilesLabel = "Profiles";
inline constexpr std::string_view ProfileNew = "New";
inline constexpr std::string_view ProfileCopy = "Copy";
inline constexpr std::string_view ProfileDelete = "Delete";
inline constexpr std::string_view ProfileSaveChanges = "Save Changes";
inline constexpr std::string_view ProfilePagePlayer = "Player";
inline constexpr std::string_view ProfilePageCraft = "Craft";
inline constexpr std::string_view ProfilePageAdventure = "Adventure";
inline constexpr std::string_view ProfileNameLabel = "Name";
inline constexpr std::string_view ProfileServerLabel = "Server";
inline constexpr std::string_view ProfileEmailLabel = "Email";
inline constexpr std::string_view ProfileStatisticsLabel = "Statistics";
inline constexpr std::string_view ProfileCraftLevelsLabel = "Craft Levels";
inline constexpr std::string_view ProfileCraftSkillsLabel = "Craft Skills";
inline constexpr std::string_view ProfileAdventureLevelsLabel = "Adventure Levels";
inline constexpr std::string_view ProfileAdventureSkillsLabel = "Adventure Skills";
// Grid headings, cells between bars.
inline constexpr std::string_view ProfileStatisticsHeader = "Statistic|Value";
inline constexpr std::string_view ProfileCraftLevelsHeader = "School|Level|Lowest\nWork Tier|Highest\nWork Tier";
inline constexpr std::string_view ProfileSkillsHeader = "Skill|Level";
inline constexpr std::string_view ProfileAdventureLevelsHeader = "School|Level";
inline constexpr std::string_view ProfileChangedMark = " *";
inline constexpr std::string_view ProfileNewName = "New Profile";
inline constexpr std::string_view ProfileCopyPrefix = "Copy of ";
// "Do you want to delete the profile 'server:name'? ..."
inline constexpr std::string_view ProfileDeleteQuestion1 = "Do you want to delete the profile '";
inline constexpr std::string_view ProfileDeleteQuestion2 = "'? Its file is deleted as well.";
inline constexpr const char* ProfileReadOnly =
    "The profile '%s' comes with the database and cannot be changed or deleted.\nCopy it to make a profile of your own.";
inline constexpr const char* ProfileDeleteFailed = "The file '%s' could not be deleted, the profile is kept.";
inline constexpr std::string_view ProfileNameEmpty = "Please enter a name for the profile.";
inline constexpr std::string_view ProfileNameUnsafe = "A profile name cannot contain '/' or '\\', nor be '.' or '..'.";
inline constexpr const char* ProfileNameTaken = "There is already a profile named '%s'.";
inline constexpr std::string_view ProfileServerEmpty = "Please enter the server of the profile.";
inline constexpr std::string_view ProfileLevelInvalid = "Please enter a whole number from 0 up.";
inline constexpr std::string_view ProfileStatisticInvalid = "Please enter a whole number.";
inline constexpr std::string_view ProfileWorkTierInvalid =
    "Work tiers go from 1 to 10, and the lowest cannot be above the highest.";

} // namespace Messages
