class base
method hello
  push "base hello"
  pop s
  call s, print
end method
method bye
  push "base bye"
  pop s
  call s, print
end method
end class
class child
parent base
method bye
  push "child bye"
  pop s
  call s, print
  clparent base, bye
end method
end class
new string, s
new child, c
call c, hello
call c, bye
