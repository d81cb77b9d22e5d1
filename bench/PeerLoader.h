#pragma once

#include <filesystem>

class CGameDatabase;
class CIconManager;

// The same rebuild as RebuildDatabase (categories, formula files, technique files,
// components, wizards, both overlays), read through pugixml's DOM instead of our line
// reader. Benchmarks only: it is the yardstick our reader is measured against. Icons are
// resolved through the given store (which is not loaded here).
void PeerRebuild(CGameDatabase& db, CIconManager* icons, const std::filesystem::path& dataFolder);
