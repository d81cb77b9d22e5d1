#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Writes a synthetic data folder shaped like the sample one: crafts whose tiers need
// components and "Resources" products, "Resources" chains several levels deep, techniques
// with tiers and components, components with gather methods, both overlays, categories,
// wizard templates, help pages, a profile and a theme. Every file keeps to the line
// reader's rules (one element per line). The same size and seed give the same bytes.
struct CGeneratorOptions
{
    std::uint64_t xmlBytes = 1 << 20; // roughly the XML bytes below "Config"
    std::uint64_t seed = 1;
};

struct CGeneratorResult
{
    std::uint64_t xmlBytes = 0; // bytes of the database XML files written
    int files = 0;
    int components = 0;
    int resourceProducts = 0;
    int formulae = 0;
    int techniques = 0;
};

// False (with a reason) when the folder cannot be written.
bool GenerateDatabase(const std::filesystem::path& folder, const CGeneratorOptions& options,
                      CGeneratorResult& result, std::string& error);
