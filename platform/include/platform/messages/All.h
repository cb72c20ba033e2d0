#pragma once
// Every typed message family, for code that meets many of them (the host, tests, tools).
#include "platform/messages/App.h"
#include "platform/messages/Dax.h"
#include "platform/messages/EVGui.h"
#include "platform/messages/KwEntities.h"
#include "platform/messages/Security.h"
#include "platform/messages/Session.h"
#include "platform/messages/SubclientContent.h"
