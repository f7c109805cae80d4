// z4sim: the virtual mouse. Filled in by the virtual bus server.
int main()
{
    return 0;
}
