#include "dataset/DataSet.h"

#include "dataset/DataSetImage.h"

namespace zoz {

NameText& DataSet::ChannelName(int group, int index) {
    switch (group) {
    case 1:
        return Name.InputDigitalName[index];
    case 2:
        return Name.InputAnalogName[index];
    case 3:
        return Name.InputAdatName[index];
    case 4:
        return Name.InputExtMonName[index];
    default:
        return Name.OutputSummenName[index];
    }
}

const NameText& DataSet::ChannelName(int group, int index) const {
    return const_cast<DataSet*>(this)->ChannelName(group, index);
}

bool DataSet::operator==(const DataSet& other) const {
    return DataSetImage::Write(*this) == DataSetImage::Write(other);
}

} // namespace zoz
