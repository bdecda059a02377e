push gameapi
