// Linked with every object of one layer's library and the layers below it
// only (CMakeLists.txt, mapwren_layer_links): a call that reaches a layer
// above fails to link here.
int main()
{
    return 0;
}
