// The live controls of the skin view, one factory per object kind: each
// makes the runtime control of an object as the editor shows it (placed at
// the object's position, in move mode, with its tooltip and font).
#pragma once

class CSkinView;

// Registers every kind's factory with the view; kinds without a control of
// their own get a placeholder window.
void RegisterLiveControlFactories(CSkinView& view);
