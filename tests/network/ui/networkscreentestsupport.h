#pragma once
// Driving the network screen as a user would: choosing a node, the add
// commands and the details panel's fields.

#include "network/networkmodel.h"
#include "support/testsupport.h"

namespace miravel::network {
class NetworkWindow;
} // namespace miravel::network

// The network screen, opened through the subsystem's entry point.
miravel::network::NetworkWindow* openNetworkScreen();

// Builds `target` on the (empty) screen with the add commands and the
// details panel, node by node; returns false (with a test failure) when a
// step did not take.
bool buildWithScreenCommands(miravel::network::NetworkWindow* screen,
                             const miravel::network::Network& target);

// Types a text into a line edit and leaves it, as the user does.
void typeInto(class QLineEdit* field, const QString& text);

// A user's pick of the entry whose text (or data) matches.
void pickText(QComboBox* combo, const QString& text);
void pickData(QComboBox* combo, const QVariant& data);

miravel::network::Network loadNetworkExample(const char* name);
