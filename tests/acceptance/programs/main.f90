program main
  use greetings
  call greet('world')
end program main
