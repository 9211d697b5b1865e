// A library without a version resource, for the tests that read version information.
extern "C" __declspec(dllexport) int NoVersion()
{
    return 0;
}
