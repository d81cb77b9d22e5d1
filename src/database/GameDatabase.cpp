#include "database/GameDatabase.h"

CGameDatabase::CGameDatabase() = default;
CGameDatabase::~CGameDatabase() = default;
