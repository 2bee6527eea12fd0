#pragma once
// Driving the network screen as a user would: choosing a node, the add
// commands and the details panel's fields.

#include "network/networkmodel.h"
#include "support/testsupport.h"

class NetworkWindow;

// The network screen, opened through the subsystem's entry point.
NetworkWindow* openNetworkScreen();

// Builds `target` on the (empty) screen with the add commands and the
// details panel, node by node; returns false (with a test failure) when a
// step did not take.
bool buildWithScreenCommands(NetworkWindow* screen, const Network& target);

// Types a text into a line edit and leaves it, as the user does.
void typeInto(class QLineEdit* field, const QString& text);

// A user's pick of the entry whose text (or data) matches.
void pickText(QComboBox* combo, const QString& text);
void pickData(QComboBox* combo, const QVariant& data);

Network loadNetworkExample(const char* name);
