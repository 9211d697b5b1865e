// A library that loads but lacks GetMyStr.
extern "C" __attribute__((visibility("default"))) int GetMyString(int index)
{
    return index;
}
