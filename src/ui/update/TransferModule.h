#pragma once

#include "update/Transfer.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The HTTP transfer, from the module built beside moxa (moxa-transfer.so). Qt Network and
// the libraries under it cost every start about a millisecond to load, and a download is
// rare, so they come with the module at the first download. When the module cannot be
// opened, the transfer returned fails every download with the reason in its detail.
std::unique_ptr<ITransfer> OpenNetworkTransfer();

// What opening the module gave: its factory, or the reason there is none.
struct CTransferModule
{
    ITransfer* (*create)() = nullptr;
    std::string error;
};
// The first of the paths that opens as a module of this build.
CTransferModule OpenTransferModule(const std::vector<std::filesystem::path>& candidates);
// A transfer of the module, or one that fails every download with the module's error.
std::unique_ptr<ITransfer> MakeTransfer(const CTransferModule& module);
