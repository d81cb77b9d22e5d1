#pragma once

#include <QIcon>

class CIconManager;

// An icon of the store as a Qt icon, scaled to the store's icon size; a null icon for an
// index the store does not hold.
QIcon IconFromStore(const CIconManager& icons, int index);
// The size views draw the store's icons at (the "IconSize" the store was built with).
QSize IconPixels(const CIconManager& icons);
