// Builds the static tables once before any test runs.
#include <gtest/gtest.h>

#include "position/tables.h"

namespace {

class TablesEnvironment : public testing::Environment {
 public:
  void SetUp() override { InitStaticTables(); }
};

const testing::Environment* const kTables = testing::AddGlobalTestEnvironment(new TablesEnvironment);

}  // namespace
