// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractButton;

/// Lets Return and Enter press button while it has the focus, as Space does. Outside dialogs Qt
/// leaves them to the default button, which these windows have none of; with gloves on Return
/// is the key that is found without looking.
void pressOnReturn(QAbstractButton *button);
