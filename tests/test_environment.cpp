// Builds the static tables once before any test runs.
#include <gtest/gtest.h>

#include "search/engine.h"

namespace {

class TablesEnvironment : public testing::Environment {
 public:
  void SetUp() override { InitEngineTables(); }
};

const testing::Environment* const kTables = testing::AddGlobalTestEnvironment(new TablesEnvironment);

}  // namespace
