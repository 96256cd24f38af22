#pragma once

// The look of a bar: light (the default) or black.
enum class UIBarStyle { Default, Black };
