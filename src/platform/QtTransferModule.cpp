// The entry points of the transfer module (see ui/update/TransferModule.h).
#include "platform/QtTransfer.h"

extern "C" __attribute__((visibility("default"))) int MoxaTransferInterface()
{
    return TransferInterfaceVersion;
}

extern "C" __attribute__((visibility("default"))) ITransfer* MoxaCreateTransfer()
{
    return new CQtTransfer();
}
