#pragma once

#include "platform/ui/screens/UIViewController.h"

// An empty screen with no behaviour of its own; nothing makes one.
class StickerViewController : public UIViewController {};
