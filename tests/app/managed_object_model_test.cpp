#include <gtest/gtest.h>

#include <variant>

#include "app/managed_object_model.h"
#include "tests/app/store_files.h"

namespace kiro {
namespace {

TEST(ObjectStoreModel, ReadsTheVersionFromTheShippedAndHandWrittenModels) {
  auto shipped = ManagedObjectModel::load(store_test::shippedModel());
  ASSERT_TRUE(std::holds_alternative<ManagedObjectModel>(shipped));
  EXPECT_EQ(std::get<ManagedObjectModel>(shipped).version(), 1);

  store_test::TemporaryFolder folder;
  const auto edited = folder.path() / "Tavrel.momd";
  store_test::writeFile(edited, "# edited on another system\r\n\r\nobject-model 12\r\n# end\r\n");
  auto loaded = ManagedObjectModel::load(edited);
  ASSERT_TRUE(std::holds_alternative<ManagedObjectModel>(loaded));
  EXPECT_EQ(std::get<ManagedObjectModel>(loaded).version(), 12);
}

}  // namespace
}  // namespace kiro
