#include "TripSmartPtr.h"

#include <gtest/gtest.h>

namespace {

struct Counted {
    explicit Counted(int* d) : destroyed(d) {}
    virtual ~Counted() { ++*destroyed; }
    int value = 7;
    int* destroyed;
};

struct Derived : Counted {
    using Counted::Counted;
};

using Handle = TripSmartPtrTemplate<Counted>;

} // namespace

TEST(TripSmartPtr, NullAndEmptyHandles) {
    Handle empty;
    EXPECT_TRUE(empty.IsNull());
    Handle fromNull(static_cast<Counted*>(nullptr));
    EXPECT_TRUE(fromNull.IsNull());
    EXPECT_EQ(fromNull.UseCount(), 0u);
    Handle copy(empty);
    EXPECT_TRUE(copy.IsNull());
    static_assert(sizeof(Handle) == sizeof(void*), "a handle is one pointer wide");
}

TEST(TripSmartPtr, AdoptionCountsOneAndCopiesShare) {
    int destroyed = 0;
    Handle a(new Counted(&destroyed));
    EXPECT_EQ(a.UseCount(), 1u);
    {
        Handle b(a);
        Handle c;
        c = b;
        EXPECT_EQ(a.UseCount(), 3u);
        EXPECT_EQ(c->value, 7);
        EXPECT_EQ((*b).value, 7);
    }
    EXPECT_EQ(a.UseCount(), 1u);
    EXPECT_EQ(destroyed, 0);
}

TEST(TripSmartPtr, SelfAndSharedAssignmentKeepCount) {
    int destroyed = 0;
    Handle a(new Counted(&destroyed));
    Handle b(a);
    Handle& alias = a;
    a = alias;
    EXPECT_EQ(a.UseCount(), 2u);
    a = b;
    EXPECT_EQ(a.UseCount(), 2u);
    EXPECT_EQ(destroyed, 0);
}

TEST(TripSmartPtr, AssigningEmptyToLastReferenceDestroysAtOnce) {
    int destroyed = 0;
    Handle a(new Counted(&destroyed));
    a = Handle();
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(a.IsNull());
}

TEST(TripSmartPtr, AssignmentReleasesOldBeforeTakingNew) {
    int firstDestroyed = 0;
    int secondDestroyed = 0;
    Handle a(new Counted(&firstDestroyed));
    Handle b(new Counted(&secondDestroyed));
    a = b;
    EXPECT_EQ(firstDestroyed, 1);
    EXPECT_EQ(secondDestroyed, 0);
    EXPECT_EQ(b.UseCount(), 2u);
}

TEST(TripSmartPtr, DestroyedOnceWhateverTheOrderOfRelease) {
    int destroyed = 0;
    auto* first = new Handle(new Derived(&destroyed)); // destroyed through the base destructor
    auto* second = new Handle(*first);
    auto* third = new Handle(*second);
    delete second;
    EXPECT_EQ(destroyed, 0);
    delete first;
    EXPECT_EQ(destroyed, 0);
    delete third;
    EXPECT_EQ(destroyed, 1);
}

using TripSmartPtrDeathTest = testing::Test;

TEST(TripSmartPtrDeathTest, DereferencingEmptyHandleReportsNullAssertion) {
    Handle empty;
    const Handle& constEmpty = empty;
    EXPECT_DEATH((void)empty->value,
                 "Assertion failed: RefClassPtr != NULL, file .*TripSmartPtr\\.h, line [0-9]+");
    EXPECT_DEATH((void)constEmpty->value, "Assertion failed: RefClassPtr != NULL, file ");
    EXPECT_DEATH((void)(*empty).value, "Assertion failed: RefClassPtr != NULL, file ");
}

TEST(TripSmartPtrDeathTest, ReleasingZeroCountReportsCountAssertion) {
    EXPECT_DEATH(
        {
            int destroyed = 0;
            Handle a(new Counted(&destroyed));
            // Corrupt the shared block the way a double release would leave it.
            auto* block = *reinterpret_cast<TripSmartPtrRefTemplate<Counted>**>(&a);
            block->RefCount = 0;
            a = Handle();
        },
        "Assertion failed: RefCount > 0, file .*TripSmartPtr\\.h, line [0-9]+");
}
