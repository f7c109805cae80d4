// z4config entry point. Filled in with the host window.
int main()
{
    return 0;
}
