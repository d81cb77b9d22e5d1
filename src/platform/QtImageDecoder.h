#pragma once

#include "database/IconManager.h"

// Decodes icon images with QImage: PNG built in, TIFF through Qt's image format plugins.
class CQtImageDecoder : public IImageDecoder
{
public:
    bool Decode(const std::filesystem::path& path, CImage& image) override;
};
