// Base of everything named in a loaded model (materials, meshes, lights).
#pragma once

#include <string>

class ModelItem {
public:
    virtual ~ModelItem() = default;
    virtual const std::string& GetName() const { return name_; }
    virtual void SetName(const std::string& name) { name_ = name; }
    bool IsNamed(const std::string& text) const { return name_ == text; }

private:
    std::string name_;
};
