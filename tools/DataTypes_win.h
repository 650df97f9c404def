#pragma once
#include "api/IDataTypes.h"
#include "com/Object.h"

namespace tessaly {

class DataTypes final : public com::DispatchObject<DataTypes, IDataTypes> {
public:
    static std::span<const com::Member<DataTypes>> Members() { return {}; }
};

}  // namespace tessaly
