// The editor keeps its menu container ("QMenu") apart from the skin's list
// while editing. On disk it is an ordinary container, written last.
#pragma once

#include <memory>
#include <string>

#include "model/skin.h"
#include "model/skin_container.h"

// Takes every container named "QMenu" (without regard to case) out of skin
// and deletes it; the content of the last one is copied into menu. Returns
// whether any was found (menu is untouched otherwise).
bool TakeMenuContainers(Skin& skin, SkinContainer& menu);

// Saves skin with menu appended as its last container (skipped when menu is
// null), then hands menu back: the skin's list is as before in every case.
// An empty path saves to the skin's file path.
bool SaveWithMenuContainer(Skin& skin, std::unique_ptr<SkinContainer>& menu,
                           const std::string& path = std::string());
